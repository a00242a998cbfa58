// tavinor-wayland-lock --channel FD
// Started by the program when its lock engages on a Wayland desktop, on one
// end of a socket the program holds the other end of. It locks at once with
// the password the program sends first, and keeps the desktop locked until
// that password is typed, whether the program lives or not. It tells the
// program "locked" once the desktop is, "unlock" after the right password, a
// password set at the lock, and "ended" when the compositor ended the lock
// (then it exits with kEndedStatus: the desktop is not locked by this client).
#include <csignal>
#include <cstdio>
#include <unistd.h>

#include "platform/lock_channel/channel.h"
#include "platform/lock_channel/helper_start.h"
#include "platform/wayland/lock/wayland_lock.h"

namespace {
constexpr int kEndedStatus = 3;

// The lock from its start to its end; the process's exit status.
int HoldLock(wl_display* display, LockedText& password, int channel) {
    WaylandLock lock(display, password, channel);
    if (!lock.Lock()) {
        std::fprintf(stderr, "tavinor-wayland-lock: the compositor did not let the desktop lock\n");
        return 1;
    }
    SendLockedMessage(channel);
    switch (lock.Run()) {
    case WaylandLock::End::Lost:
        return 1;
    case WaylandLock::End::Ended:
        std::fprintf(stderr, "tavinor-wayland-lock: the compositor ended the lock\n");
        if (lock.Channel() >= 0)
            SendEndedMessage(lock.Channel());
        return kEndedStatus;
    case WaylandLock::End::Unlocked:
        break;
    }
    if (lock.Channel() >= 0)
        SendUnlockMessage(lock.Channel());
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    int channel = ChannelArgument(argc, argv);
    if (channel < 0) {
        std::fprintf(stderr, "usage: tavinor-wayland-lock --channel FD (started by tavinor)\n");
        return 2;
    }
    HardenHelper();
    // The session's polite requests to end would open the desktop.
    signal(SIGTERM, SIG_IGN);
    signal(SIGINT, SIG_IGN);
    signal(SIGHUP, SIG_IGN);
    LockedText password;
    // Without a password nothing could ever unlock.
    if (ReadGuardMessage(channel, password) != GuardMessage::Password)
        return 1;
    wl_display* display = wl_display_connect(nullptr);
    if (display == nullptr) {
        std::fprintf(stderr, "tavinor-wayland-lock: no Wayland compositor\n");
        return 1;
    }
    // The lock's objects go before their connection.
    const int status = HoldLock(display, password, channel);
    wl_display_disconnect(display);
    return status;
}
