// The lock's guard process (guard/). It learns the password over a socket,
// never from its command line or its environment, which other processes of
// the machine can read. It is started through a short-lived middle process,
// so that it belongs to nobody once that ends: the program has no child to
// wait for, and its own death leaves the guard running.
#include <QCoreApplication>
#include <cerrno>
#include <fcntl.h>
#include <string_view>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include "platform/platform.h"
#include "platform/x11/guard/channel.h"

namespace platform {
namespace {

// The guard's end of the socket in the guard.
constexpr int kGuardChannel = 3;
int channel = -1;

bool Send(std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t sent = ::send(channel, bytes.data(), bytes.size(), MSG_NOSIGNAL);
        if (sent < 0 && errno == EINTR)
            continue;
        if (sent <= 0)
            return false;
        bytes.remove_prefix(static_cast<std::size_t>(sent));
    }
    return true;
}

void CloseChannel() {
    if (channel >= 0)
        ::close(channel);
    channel = -1;
}

} // namespace

bool StartLockGuard(const std::string& password) {
    if (channel >= 0)
        return SetLockGuardPassword(password);
    std::string path = QCoreApplication::applicationDirPath().toStdString() + "/tavinor-lock-guard";
    if (password.empty() || ::access(path.c_str(), X_OK) != 0)
        return false;
    int ends[2];
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, ends) != 0)
        return false;
    std::string option = "--channel";
    std::string number = std::to_string(kGuardChannel);
    char* argv[] = {path.data(), option.data(), number.data(), nullptr};
    const pid_t middle = ::fork();
    if (middle == 0) {
        // The program has threads: only async-signal-safe calls until exec.
        // The guard leaves the program's session, so a terminal's hang-up
        // does not reach it, and keeps no descriptor but its socket (an
        // inherited instance lock would keep the program from starting again).
        ::setsid();
        if (::fork() != 0)
            ::_exit(0);
        if (ends[1] == kGuardChannel)
            ::fcntl(kGuardChannel, F_SETFD, 0);
        else
            ::dup2(ends[1], kGuardChannel);
        ::close_range(kGuardChannel + 1, ~0U, 0);
        ::execv(argv[0], argv);
        ::_exit(127);
    }
    ::close(ends[1]);
    if (middle < 0) {
        ::close(ends[0]);
        return false;
    }
    while (::waitpid(middle, nullptr, 0) < 0 && errno == EINTR) {
    }
    channel = ends[0];
    if (SetLockGuardPassword(password))
        return true;
    CloseChannel();
    return false;
}

bool SetLockGuardPassword(const std::string& password) {
    if (channel < 0 || password.empty())
        return false;
    return Send(PasswordMessageHeader(password.size())) && Send(password);
}

void StopLockGuard() {
    if (channel < 0)
        return;
    Send(kUnlockMessage);
    CloseChannel();
}

} // namespace platform
