// Desktops whose compositor lets no client lock the session (GNOME, KDE
// Plasma) lock with their own screen lock when asked over D-Bus. An answer
// to the request says only that it was heard: logind answers for any
// session, whether or not anything in it listens. The lock counts once the
// desktop says it holds.
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusVariant>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QTimer>
#include <vector>

#include "platform/platform.h"

namespace platform {
namespace {

constexpr int kAnswerMs = 3000;
// A screen lock takes a moment to come up (GNOME fades the screen first).
constexpr int kConfirmMs = 4000;
constexpr int kPollMs = 200;

// A request and the question that confirms it.
struct LockWayOverBus {
    QDBusConnection bus;
    QDBusMessage lock;
    QDBusMessage locked; // answers a boolean, plain or as a property's variant
};

std::vector<LockWayOverBus> DesktopLockWays() {
    const QString screenSaver = "org.freedesktop.ScreenSaver";
    const QString session = "/org/freedesktop/login1/session/auto";
    QDBusMessage lockedHint = QDBusMessage::createMethodCall(
        "org.freedesktop.login1", session, "org.freedesktop.DBus.Properties", "Get");
    lockedHint << QString("org.freedesktop.login1.Session") << QString("LockedHint");
    // The screen saver's answer comes from the desktop itself; logind only
    // passes the request on, so it is asked second.
    return {
        {QDBusConnection::sessionBus(),
         QDBusMessage::createMethodCall(screenSaver, "/org/freedesktop/ScreenSaver", screenSaver,
                                        "Lock"),
         QDBusMessage::createMethodCall(screenSaver, "/org/freedesktop/ScreenSaver", screenSaver,
                                        "GetActive")},
        {QDBusConnection::systemBus(),
         QDBusMessage::createMethodCall("org.freedesktop.login1", session,
                                        "org.freedesktop.login1.Session", "Lock"),
         lockedHint},
    };
}

bool AnsweredTrue(const QDBusMessage& answer) {
    if (answer.type() != QDBusMessage::ReplyMessage || answer.arguments().isEmpty())
        return false;
    QVariant value = answer.arguments().first();
    if (value.canConvert<QDBusVariant>())
        value = qvariant_cast<QDBusVariant>(value).variant();
    return value.toBool();
}

// Every call waits for its answer on the bus, never on the window thread.
class DesktopLockRequest : public QObject {
public:
    explicit DesktopLockRequest(std::function<void(bool)> done)
        : QObject(qApp), ways_(DesktopLockWays()), done_(std::move(done)) {}

    void TryNextWay() {
        if (next_ == ways_.size()) {
            Finish(false);
            return;
        }
        const LockWayOverBus& way = ways_[next_++];
        if (!way.bus.isConnected()) {
            TryNextWay();
            return;
        }
        Call(way.lock, [this](const QDBusMessage& answer) {
            if (answer.type() != QDBusMessage::ReplyMessage) {
                qWarning("%s: %s", qPrintable(ways_[next_ - 1].lock.service()),
                         qPrintable(answer.errorMessage()));
                TryNextWay();
                return;
            }
            confirming_.start();
            AskWhetherLocked();
        });
    }

private:
    void Call(const QDBusMessage& message, std::function<void(const QDBusMessage&)> answered) {
        const LockWayOverBus& way = ways_[next_ - 1];
        auto* watcher = new QDBusPendingCallWatcher(way.bus.asyncCall(message, kAnswerMs), this);
        connect(watcher, &QDBusPendingCallWatcher::finished, this,
                [watcher, answered](QDBusPendingCallWatcher*) {
                    watcher->deleteLater();
                    answered(watcher->reply());
                });
    }

    void AskWhetherLocked() {
        Call(ways_[next_ - 1].locked, [this](const QDBusMessage& answer) {
            if (AnsweredTrue(answer))
                Finish(true);
            else if (confirming_.elapsed() >= kConfirmMs)
                TryNextWay();
            else
                QTimer::singleShot(kPollMs, this, [this] { AskWhetherLocked(); });
        });
    }

    void Finish(bool locked) {
        deleteLater();
        done_(locked);
    }

    std::vector<LockWayOverBus> ways_;
    std::size_t next_ = 0;
    std::function<void(bool)> done_;
    QElapsedTimer confirming_;
};

} // namespace

void AskDesktopToLock(std::function<void(bool locked)> done) {
    auto* request = new DesktopLockRequest(std::move(done));
    QTimer::singleShot(0, request, [request] { request->TryNextWay(); });
}

} // namespace platform
