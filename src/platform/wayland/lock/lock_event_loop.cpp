// The client's one loop: the compositor's events, the held key's repeat and
// the program's messages, until the lock ends.
#include <cerrno>
#include <poll.h>
#include <unistd.h>

#include "platform/lock_channel/channel.h"
#include "platform/wayland/lock/wayland_lock.h"

void WaylandLock::Act(LockPrompt::Outcome outcome) {
    if (outcome == LockPrompt::Outcome::Unlocked)
        unlocked_ = true;
}

// Only the program writes the data file; a password it never hears of would
// be lost at the unlock, so without the program no change is taken.
bool WaylandLock::SaveNewPassword(std::string_view password) {
    return channel_ >= 0 && SendPasswordMessage(channel_, password);
}

// Only a new password comes from the program while locked; anything else
// means it is gone, and the lock stays until the password is typed.
void WaylandLock::ReadProgram() {
    if (ReadGuardMessage(channel_, password_) == GuardMessage::Password)
        return;
    close(channel_);
    channel_ = -1;
}

WaylandLock::End WaylandLock::Run() {
    const int display = wl_display_get_fd(display_);
    while (!unlocked_ && !ended_) {
        while (wl_display_prepare_read(display_) != 0)
            if (wl_display_dispatch_pending(display_) < 0)
                return End::Lost;
        if (unlocked_ || ended_) {
            wl_display_cancel_read(display_);
            break;
        }
        wl_display_flush(display_);
        // A gone program's place is kept with -1, which poll passes over.
        pollfd ready[3] = {{display, POLLIN, 0}, {repeatTimer_, POLLIN, 0}, {channel_, POLLIN, 0}};
        if (poll(ready, 3, -1) < 0) {
            wl_display_cancel_read(display_);
            if (errno == EINTR)
                continue;
            return End::Lost;
        }
        if (ready[0].revents != 0) {
            if (wl_display_read_events(display_) < 0)
                return End::Lost;
        } else {
            wl_display_cancel_read(display_);
        }
        if (wl_display_dispatch_pending(display_) < 0)
            return End::Lost;
        if (ready[1].revents != 0)
            Repeat();
        if (channel_ >= 0 && ready[2].revents != 0)
            ReadProgram();
    }
    Unlock();
    return unlocked_ ? End::Unlocked : End::Ended;
}
