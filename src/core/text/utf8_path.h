#pragma once
// Paths are UTF-8 text throughout the program. A std::filesystem::path made
// from a plain std::string, or read back with string(), goes through the
// system's narrow encoding, which on Windows is a legacy code page (or, with
// the GNU library there, one byte per character): a folder with a Chinese name
// would not be found, or would throw. These two go through char8_t, which is
// UTF-8 on every system; on Linux they keep the bytes as they are, so a name
// in another encoding still round-trips.

#include <filesystem>
#include <string>

// The path named by UTF-8 `text`; an empty path (which opens nothing) where
// the system cannot represent it.
std::filesystem::path PathOf(const std::string& text);

// The UTF-8 text of `path`; empty where it has none.
std::string Utf8Of(const std::filesystem::path& path);
