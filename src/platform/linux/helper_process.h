#pragma once
// The lock's helper programs, installed in the program's libexec folder.

#include <functional>
#include <string>

class QSocketNotifier;

namespace platform {

// The helper's end of the socket in the helper: its "--channel" argument.
inline constexpr int kHelperChannel = 3;

// Starts the helper `name` (from ../libexec/tavinor/ next to the program's
// folder, else from that folder) on one end of a new socket and returns the
// program's end, or -1. The helper is started
// through a short-lived middle process, so that it belongs to nobody once
// that ends: the program has no child to wait for, and its own death leaves
// the helper running.
int StartHelperOnChannel(const std::string& name);

// The program's end of a helper's socket and what hears it.
struct HelperChannel {
    int fd = -1;
    QSocketNotifier* notifier = nullptr;

    // Starts `name` as StartHelperOnChannel does; false when it cannot.
    bool Start(const std::string& name);
    // `spoke` runs on the window thread's event loop whenever the helper
    // wrote or ended.
    void Listen(std::function<void()> spoke);
    // Also called from the notifier's own signal: it goes once that returns.
    void Close();
};

} // namespace platform
