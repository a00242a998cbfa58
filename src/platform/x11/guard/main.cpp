// tavinor-lock-guard --channel FD
// Started by the program when its lock engages, on one end of a socket the
// program holds the other end of. While the program lives the guard stands
// behind its lock, unseen. Should the socket close without "unlock" (the
// program crashed or was killed) the guard covers the screen itself until
// the password is typed: on X a lock held by one process ends with that
// process.
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <poll.h>
#include <string>
#include <sys/socket.h>
#include <unistd.h>

#include "platform/lock_channel/channel.h"
#include "platform/lock_channel/helper_start.h"
#include "platform/x11/guard/screen_cover.h"

namespace {

// Waits for the program's messages, handling the X server's meanwhile; the
// first message that is not a new password ends the wait.
GuardMessage StandBy(int channel, ScreenCover& cover, LockedText& password) {
    for (;;) {
        cover.StandBy();
        pollfd ready[2] = {{channel, POLLIN, 0}, {cover.Connection(), POLLIN, 0}};
        if (poll(ready, 2, -1) < 0 && errno != EINTR)
            return GuardMessage::Closed;
        if (ready[0].revents != 0) {
            const GuardMessage message = ReadGuardMessage(channel, password);
            if (message != GuardMessage::Password)
                return message;
        }
    }
}

bool SendCover(int channel, unsigned long cover) {
    const std::string message = CoverMessage(cover);
    return ::send(channel, message.data(), message.size(), MSG_NOSIGNAL) ==
           static_cast<ssize_t>(message.size());
}

} // namespace

int main(int argc, char** argv) {
    const int channel = ChannelArgument(argc, argv);
    if (channel < 0) {
        std::fprintf(stderr, "usage: tavinor-lock-guard --channel FD (started by tavinor)\n");
        return 2;
    }
    HardenHelper();
    // Without a password nothing could ever unlock; the program did not
    // live to hand one over.
    LockedText password;
    if (ReadGuardMessage(channel, password) != GuardMessage::Password)
        return 0;
    ScreenCover cover(password);
    if (!cover.Open() || !SendCover(channel, cover.Id()))
        return 1;
    const GuardMessage message = StandBy(channel, cover, password);
    ::close(channel);
    if (message == GuardMessage::Unlock) {
        cover.LetGo();
        return 0;
    }
    // The session's polite requests to end would open the desktop.
    signal(SIGTERM, SIG_IGN);
    signal(SIGINT, SIG_IGN);
    signal(SIGHUP, SIG_IGN);
    cover.Hold();
    return 0;
}
