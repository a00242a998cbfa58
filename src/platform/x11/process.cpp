// Process-level services on Linux: instance lock, folders, screen, clock.
#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QGuiApplication>
#include <QScreen>
#include <QStandardPaths>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include "platform/platform.h"
#include "platform/x11/instance_folder.h"

namespace platform {

void PrepareProcess() {
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    // The engine's sandbox cannot run as root; an ordinary user keeps it.
    if (geteuid() == 0)
        qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "xcb");
}

QString InstanceFolder() {
    QString folder = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (folder.isEmpty() || !QDir(folder).exists())
        folder = QDir::tempPath();
    return folder;
}

InstanceLock AcquireInstanceLock() {
    const QByteArray path =
        QString("%1/Tavinor-%2.lock").arg(InstanceFolder()).arg(getuid()).toLocal8Bit();
    // The lock is tied to the open descriptor, so a crashed process leaves
    // no stale lock behind; the descriptor stays open until the process ends.
    const int fd = ::open(path.constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (fd < 0)
        return InstanceLock::Failed;
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        const bool held = errno == EWOULDBLOCK;
        ::close(fd);
        return held ? InstanceLock::AlreadyRunning : InstanceLock::Failed;
    }
    return InstanceLock::Acquired;
}

static std::string MadePath(const QString& path) {
    QDir().mkpath(path);
    return path.toStdString();
}

std::string DataDirectory() {
    return MadePath(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
                    "/tavinor");
}

std::string DocumentsDirectory() {
    return MadePath(QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation));
}

ScreenSize PrimaryScreenSize() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (screen == nullptr)
        return {0, 0};
    const QRect geometry = screen->geometry();
    return {geometry.width(), geometry.height()};
}

std::string LocalDateTimeText() {
    return QDateTime::currentDateTime().toString("yyyy/M/d H:mm:ss").toStdString();
}

} // namespace platform
