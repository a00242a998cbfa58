#include <QCoreApplication>
#include <QDir>
#include <QSocketNotifier>
#include <cerrno>
#include <fcntl.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include "platform/linux/helper_process.h"

namespace platform {

namespace {
// An installed program finds its helpers in its libexec folder; one run from
// the build tree finds them beside itself.
std::string HelperPath(const std::string& name) {
    const QString folder = QCoreApplication::applicationDirPath();
    for (const QString& place : {folder + "/../libexec/tavinor/", folder + "/"}) {
        const std::string path =
            QDir::cleanPath(place + QString::fromStdString(name)).toStdString();
        if (::access(path.c_str(), X_OK) == 0)
            return path;
    }
    return {};
}
} // namespace

int StartHelperOnChannel(const std::string& name) {
    std::string path = HelperPath(name);
    if (path.empty())
        return -1;
    int ends[2];
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, ends) != 0)
        return -1;
    std::string option = "--channel";
    std::string number = std::to_string(kHelperChannel);
    char* argv[] = {path.data(), option.data(), number.data(), nullptr};
    const pid_t middle = ::fork();
    if (middle == 0) {
        // The program has threads: only async-signal-safe calls until exec.
        // The helper leaves the program's session, so a terminal's hang-up
        // does not reach it, and keeps no descriptor but its socket (an
        // inherited instance lock would keep the program from starting again).
        ::setsid();
        if (::fork() != 0)
            ::_exit(0);
        if (ends[1] == kHelperChannel)
            ::fcntl(kHelperChannel, F_SETFD, 0);
        else
            ::dup2(ends[1], kHelperChannel);
        ::close_range(kHelperChannel + 1, ~0U, 0);
        ::execv(argv[0], argv);
        ::_exit(127);
    }
    ::close(ends[1]);
    if (middle < 0) {
        ::close(ends[0]);
        return -1;
    }
    while (::waitpid(middle, nullptr, 0) < 0 && errno == EINTR) {
    }
    return ends[0];
}

bool HelperChannel::Start(const std::string& name) {
    fd = StartHelperOnChannel(name);
    return fd >= 0;
}

void HelperChannel::Listen(std::function<void()> spoke) {
    notifier = new QSocketNotifier(fd, QSocketNotifier::Read);
    QObject::connect(notifier, &QSocketNotifier::activated, std::move(spoke));
}

void HelperChannel::Close() {
    if (notifier != nullptr) {
        notifier->setEnabled(false);
        notifier->deleteLater();
        notifier = nullptr;
    }
    if (fd >= 0)
        ::close(fd);
    fd = -1;
}

} // namespace platform
