// Process-level services on Linux: instance lock, folders, screen, clock.
#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QGuiApplication>
#include <QScreen>
#include <QStandardPaths>
#include <unistd.h>

#include "platform/linux/instance_folder.h"
#include "platform/linux/instance_lock.h"
#include "platform/platform.h"

namespace platform {

void PrepareProcess() {
    // The engine's sandbox cannot run as root; an ordinary user keeps it.
    if (geteuid() == 0)
        qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "xcb");
}

// Where the lock was found, taken or held by the running instance; the
// socket a second start talks to lies beside it.
static QString lockFolder;

QString InstanceFolder() {
    return lockFolder;
}

InstanceLock AcquireInstanceLock() {
    // Without a usable runtime folder the lock goes to a folder of the
    // user's own, never to the shared temporary folder.
    const InstanceLockFile lock = TakeInstanceLock(
        qEnvironmentVariable("XDG_RUNTIME_DIR").toStdString(), DataDirectory() + "/run");
    lockFolder = QString::fromStdString(lock.folder);
    switch (lock.result) {
    case LockResult::Acquired:
        return InstanceLock::Acquired;
    case LockResult::AlreadyRunning:
        return InstanceLock::AlreadyRunning;
    case LockResult::Failed:
        break;
    }
    return InstanceLock::Failed;
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
