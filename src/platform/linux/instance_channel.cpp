// A second start talks to the running instance over a Unix socket beside the
// instance lock. A message is one request word and a newline: come back, show
// the favorites, lock. Anything else, from anyone else, is dropped.
#include <QCoreApplication>
#include <QSocketNotifier>
#include <QTimer>
#include <cerrno>
#include <cstring>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>
#include <utility>

#include "platform/linux/instance_folder.h"
#include "platform/platform.h"

namespace platform {
namespace {

constexpr std::pair<StartAction, const char*> kRequests[] = {
    {StartAction::Restore, "restore\n"},
    {StartAction::Favorites, "favorites\n"},
    {StartAction::Lock, "lock\n"},
};
constexpr qsizetype kLongestRequest = 10;

QByteArray RequestText(StartAction action) {
    for (const auto& [known, text] : kRequests)
        if (known == action)
            return text;
    return {};
}
// A peer that connects and says nothing is not kept waiting for.
constexpr int kReadDeadlineMs = 2000;

bool SocketAddress(sockaddr_un& address) {
    const QByteArray path =
        QString("%1/Tavinor-%2.sock").arg(InstanceFolder()).arg(getuid()).toLocal8Bit();
    address = {};
    address.sun_family = AF_UNIX;
    if (path.size() >= static_cast<qsizetype>(sizeof address.sun_path))
        return false;
    std::memcpy(address.sun_path, path.constData(), path.size());
    return true;
}

bool FromThisUser(int fd) {
    ucred peer{};
    socklen_t size = sizeof peer;
    return ::getsockopt(fd, SOL_SOCKET, SO_PEERCRED, &peer, &size) == 0 && peer.uid == getuid();
}

// One accepted connection: everything up to the peer's close must be the request.
class Connection : public QObject {
public:
    Connection(int fd, const std::function<void(StartAction)>& handler, QObject* parent)
        : QObject(parent), fd_(fd), handler_(handler), notifier_(fd, QSocketNotifier::Read) {
        connect(&notifier_, &QSocketNotifier::activated, this, &Connection::Read);
        deadline_.setSingleShot(true);
        connect(&deadline_, &QTimer::timeout, this, &Connection::Finish);
        deadline_.start(kReadDeadlineMs);
    }
    ~Connection() override {
        notifier_.setEnabled(false);
        ::close(fd_);
    }

private:
    void Read() {
        char buffer[64];
        for (;;) {
            const ssize_t count = ::read(fd_, buffer, sizeof buffer);
            if (count > 0) {
                received_.append(buffer, count);
                if (received_.size() > kLongestRequest)
                    return Finish();
            } else if (count == 0) {
                // The handler may open a modal dialog, whose event loop must
                // not run while this connection is still being read.
                for (const auto& [action, text] : kRequests)
                    if (received_ == text)
                        QMetaObject::invokeMethod(
                            QCoreApplication::instance(),
                            [handler = handler_, action = action] { handler(action); },
                            Qt::QueuedConnection);
                return Finish();
            } else if (errno != EINTR) {
                if (errno != EAGAIN)
                    Finish();
                return;
            }
        }
    }
    void Finish() {
        notifier_.setEnabled(false);
        deadline_.stop();
        deleteLater();
    }

    int fd_;
    std::function<void(StartAction)> handler_;
    QSocketNotifier notifier_;
    QTimer deadline_;
    QByteArray received_;
};

} // namespace

void OnInstanceRequest(std::function<void(StartAction)> handler) {
    sockaddr_un address;
    if (!SocketAddress(address))
        return;
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    if (fd < 0)
        return;
    // The instance lock is ours, so a socket left here belongs to a process that has ended.
    ::unlink(address.sun_path);
    if (::bind(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0 ||
        ::chmod(address.sun_path, 0600) != 0 || ::listen(fd, 8) != 0) {
        ::close(fd);
        return;
    }
    auto* listener = new QSocketNotifier(fd, QSocketNotifier::Read, QCoreApplication::instance());
    QObject::connect(listener, &QSocketNotifier::activated, listener, [fd, listener, handler] {
        for (;;) {
            const int peer = ::accept4(fd, nullptr, nullptr, SOCK_NONBLOCK | SOCK_CLOEXEC);
            if (peer < 0)
                return;
            if (FromThisUser(peer))
                new Connection(peer, handler, listener);
            else
                ::close(peer);
        }
    });
    const std::string path = address.sun_path;
    QObject::connect(listener, &QObject::destroyed, [fd, path] {
        ::close(fd);
        ::unlink(path.c_str());
    });
}

bool AskRunningInstance(StartAction action) {
    const QByteArray request = RequestText(action);
    sockaddr_un address;
    if (!SocketAddress(address))
        return false;
    // The running instance may have taken the lock but not be listening yet.
    for (int attempt = 0; attempt < 20; ++attempt) {
        const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
        if (fd < 0)
            return false;
        if (::connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0) {
            const bool sent =
                ::send(fd, request.constData(), request.size(), MSG_NOSIGNAL) == request.size();
            ::close(fd);
            return sent;
        }
        const int error = errno;
        ::close(fd);
        if (error != ENOENT && error != ECONNREFUSED)
            return false;
        ::usleep(50 * 1000);
    }
    return false;
}

} // namespace platform
