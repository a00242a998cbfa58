#pragma once
// What one start of the program is asked to do, read from its command line.

#include <string>
#include <vector>

// A start with no request of its own only brings a running instance back.
enum class StartAction { Restore, Favorites, Lock };

struct CommandLine {
    bool valid = true;
    StartAction action = StartAction::Restore;
};

// Reads the arguments after the program's name: "--favorites" or "--lock",
// at most one of them. The toolkit's own options and the web engine's switches
// pass untouched, since the toolkit reads them from the same command line.
CommandLine ParseCommandLine(const std::vector<std::string>& arguments);

// The one line written to standard error for a command line that is not valid.
extern const char kUsageLine[];
