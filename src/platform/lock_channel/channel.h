#pragma once
// What the program and its lock helpers (the X11 guard, the Wayland lock
// client) say to each other over their socket, one message after the other,
// the same in both directions:
//   "password N\n" and N bytes: the password that unlocks, UTF-8 (to a
//     helper), or the one the user just set at the lock (from the client);
//   "unlock\n": the lock ended normally (to a helper), or the right password
//     was typed (from the client);
//   "locked\n" (from the client): the desktop is locked from now on;
//   "ended\n" (from the client): the compositor ended the client's lock
//     (another locker took the session, say); it no longer locks anything.
// The X11 guard answers the first password once, with "cover ID\n": the X
// window, in decimal, that the program keeps its lock's windows in.

#include <string>
#include <string_view>

#include "platform/lock_channel/locked_text.h"

enum class GuardMessage { Password, Unlock, Locked, Ended, Closed };

// Waits for the next message; a password goes straight into `password`.
// A message that makes no sense counts as Closed: the reader can no longer
// trust the stream, and keeping the screen locked is the safe side.
GuardMessage ReadGuardMessage(int channel, LockedText& password);

// The X11 guard's cover window; 0 when the guard ended or said something else.
unsigned long ReadCoverMessage(int channel);

// Sends the message whole; false once the other end is gone.
bool SendPasswordMessage(int channel, std::string_view password);
bool SendUnlockMessage(int channel);
bool SendLockedMessage(int channel);
bool SendEndedMessage(int channel);

inline constexpr std::string_view kPasswordMessageWord = "password ";
inline constexpr std::string_view kUnlockMessage = "unlock\n";
inline constexpr std::string_view kLockedMessage = "locked\n";
inline constexpr std::string_view kEndedMessage = "ended\n";
inline constexpr std::string_view kCoverMessageWord = "cover ";
inline std::string CoverMessage(unsigned long window) {
    return std::string(kCoverMessageWord) + std::to_string(window) + "\n";
}
