// Desktops whose compositor lets no client lock the session (GNOME, KDE
// Plasma) lock with their own screen lock when asked over D-Bus.
#include <QDBusConnection>
#include <QDBusMessage>

#include "platform/platform.h"

namespace platform {
namespace {

constexpr int kAnswerMs = 5000;

bool Answered(QDBusConnection bus, const QDBusMessage& call) {
    if (!bus.isConnected())
        return false;
    const QDBusMessage answer = bus.call(call, QDBus::Block, kAnswerMs);
    if (answer.type() == QDBusMessage::ErrorMessage)
        qWarning("%s: %s", qPrintable(call.service()), qPrintable(answer.errorMessage()));
    return answer.type() == QDBusMessage::ReplyMessage;
}

} // namespace

// The screen saver's answer comes from the desktop itself; logind answers
// for any session and only passes the request on to the desktop, so it is
// asked second.
bool AskDesktopToLock() {
    const QDBusMessage screenSaver = QDBusMessage::createMethodCall(
        "org.freedesktop.ScreenSaver", "/org/freedesktop/ScreenSaver",
        "org.freedesktop.ScreenSaver", "Lock");
    if (Answered(QDBusConnection::sessionBus(), screenSaver))
        return true;
    const QDBusMessage session = QDBusMessage::createMethodCall(
        "org.freedesktop.login1", "/org/freedesktop/login1/session/auto",
        "org.freedesktop.login1.Session", "Lock");
    return Answered(QDBusConnection::systemBus(), session);
}

} // namespace platform
