#pragma once
// The lock's helper programs, installed beside the program.

#include <string>

namespace platform {

// The helper's end of the socket in the helper: its "--channel" argument.
inline constexpr int kHelperChannel = 3;

// Starts the helper `name` from the program's folder on one end of a new
// socket and returns the program's end, or -1. The helper is started
// through a short-lived middle process, so that it belongs to nobody once
// that ends: the program has no child to wait for, and its own death leaves
// the helper running.
int StartHelperOnChannel(const std::string& name);

} // namespace platform
