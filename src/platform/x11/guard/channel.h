#pragma once
// What the program says to its lock guard over their socket, one message
// after the other:
//   "password N\n" and N bytes: the password that unlocks, UTF-8;
//   "unlock\n": the lock ended normally.
// The guard answers the first password once, with "cover ID\n": the X
// window, in decimal, that the program keeps its lock's windows in.

#include <string>
#include <string_view>

#include "platform/x11/guard/locked_text.h"

enum class GuardMessage { Password, Unlock, Closed };

// Waits for the next message; a password goes straight into `password`.
// A message that makes no sense counts as Closed: the guard can no longer
// trust the stream, and keeping the screen locked is the safe side.
GuardMessage ReadGuardMessage(int channel, LockedText& password);

inline constexpr std::string_view kPasswordMessageWord = "password ";
inline constexpr std::string_view kUnlockMessage = "unlock\n";
inline constexpr std::string_view kCoverMessageWord = "cover ";
inline std::string CoverMessage(unsigned long window) {
    return std::string(kCoverMessageWord) + std::to_string(window) + "\n";
}
inline std::string PasswordMessageHeader(std::size_t passwordSize) {
    return std::string(kPasswordMessageWord) + std::to_string(passwordSize) + "\n";
}
