// Global hot keys on a Wayland session, where X key grabs see keys only
// while one of the program's own windows has the focus: the desktop's global
// shortcuts portal binds them in one session, and their activations run the
// same handler as the grabs. Every request answers later with a Response
// signal on a request object whose path the caller can tell in advance.
#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusMetaType>
#include <QDBusObjectPath>
#include <QDBusPendingCallWatcher>
#include <QObject>
#include <QTimer>
#include <map>

#include "platform/linux/hotkey_dispatch.h"
#include "platform/platform.h"

namespace platform::portal {

struct Shortcut {
    QString id;
    QVariantMap properties;
};

QDBusArgument& operator<<(QDBusArgument& argument, const Shortcut& shortcut) {
    argument.beginStructure();
    argument << shortcut.id << shortcut.properties;
    argument.endStructure();
    return argument;
}

const QDBusArgument& operator>>(const QDBusArgument& argument, Shortcut& shortcut) {
    argument.beginStructure();
    argument >> shortcut.id >> shortcut.properties;
    argument.endStructure();
    return argument;
}

} // namespace platform::portal

Q_DECLARE_METATYPE(platform::portal::Shortcut)

namespace platform::portal {

constexpr char kService[] = "org.freedesktop.portal.Desktop";
constexpr char kPath[] = "/org/freedesktop/portal/desktop";
constexpr char kInterface[] = "org.freedesktop.portal.GlobalShortcuts";
constexpr char kRequestInterface[] = "org.freedesktop.portal.Request";

struct Wanted {
    QString trigger; // in the desktop's shortcut notation, "ALT+b"
    QString description;
};

// The portal's shortcut id of hot key `id`.
QString ShortcutId(int id) {
    return QString("hotkey-%1").arg(id);
}

class ShortcutsPortal : public QObject {
    Q_OBJECT
public:
    void Add(int id, const Wanted& wanted) {
        wanted_[id] = wanted;
        // Everything the window asks for in one go is bound in one request.
        if (state_ == State::Idle) {
            state_ = State::Scheduled;
            QTimer::singleShot(0, this, &ShortcutsPortal::Start);
        }
    }
    void Drop(int id) { wanted_.erase(id); }

private slots:
    void OnResponse(uint response, const QVariantMap& results) {
        StopExpecting();
        if (response != 0)
            return GiveUp();
        if (state_ == State::Creating) {
            const QVariant handle = results.value("session_handle");
            session_ = handle.canConvert<QDBusObjectPath>() ? handle.value<QDBusObjectPath>().path()
                                                            : handle.toString();
            if (session_.isEmpty())
                return GiveUp();
            Bus().connect(kService, kPath, kInterface, "Activated", this,
                          SLOT(OnActivated(QDBusObjectPath, QString, qulonglong, QVariantMap)));
            Bind();
        } else if (state_ == State::Binding) {
            state_ = State::Bound;
        }
    }
    void OnActivated(const QDBusObjectPath& session, const QString& shortcut, qulonglong,
                     const QVariantMap&) {
        if (session.path() != session_)
            return;
        for (const auto& [id, wanted] : wanted_)
            if (ShortcutId(id) == shortcut)
                DispatchHotKey(id);
    }

private:
    enum class State { Idle, Scheduled, Creating, Binding, Bound, Unavailable };

    static QDBusConnection Bus() { return QDBusConnection::sessionBus(); }

    void Start() {
        qDBusRegisterMetaType<Shortcut>();
        qDBusRegisterMetaType<QList<Shortcut>>();
        if (!Bus().isConnected())
            return GiveUp();
        // A portal without the interface (or no portal at all) says so here.
        QDBusMessage probe = QDBusMessage::createMethodCall(
            kService, kPath, "org.freedesktop.DBus.Properties", "Get");
        probe << QString(kInterface) << QString("version");
        Call(probe, [this] { CreateSession(); });
    }

    void CreateSession() {
        state_ = State::Creating;
        QDBusMessage create =
            QDBusMessage::createMethodCall(kService, kPath, kInterface, "CreateSession");
        create << QVariantMap{{"handle_token", ExpectResponse()},
                              {"session_handle_token", QString("tavinor")}};
        Call(create, {});
    }

    void Bind() {
        state_ = State::Binding;
        QList<Shortcut> shortcuts;
        for (const auto& [id, wanted] : wanted_)
            shortcuts.append(
                {ShortcutId(id),
                 {{"description", wanted.description}, {"preferred_trigger", wanted.trigger}}});
        QDBusMessage bind =
            QDBusMessage::createMethodCall(kService, kPath, kInterface, "BindShortcuts");
        bind << QVariant::fromValue(QDBusObjectPath(session_)) << QVariant::fromValue(shortcuts)
             << QString() << QVariantMap{{"handle_token", ExpectResponse()}};
        Call(bind, {});
    }

    // Listens for the answer to the next request, before it is made, and
    // returns the token that names that request.
    QString ExpectResponse() {
        const QString token = QString("tavinor%1").arg(++requests_);
        const QString sender = Bus().baseService().mid(1).replace('.', '_');
        requestPath_ = QString("%1/request/%2/%3").arg(kPath, sender, token);
        Bus().connect(kService, requestPath_, kRequestInterface, "Response", this,
                      SLOT(OnResponse(uint, QVariantMap)));
        return token;
    }

    void StopExpecting() {
        Bus().disconnect(kService, requestPath_, kRequestInterface, "Response", this,
                         SLOT(OnResponse(uint, QVariantMap)));
    }

    // An error reply ends the attempt; a good one runs `then`, if any.
    void Call(const QDBusMessage& message, std::function<void()> then) {
        auto* watcher = new QDBusPendingCallWatcher(Bus().asyncCall(message), this);
        connect(watcher, &QDBusPendingCallWatcher::finished, this,
                [this, then](QDBusPendingCallWatcher* call) {
                    call->deleteLater();
                    if (call->isError()) {
                        StopExpecting();
                        GiveUp();
                    } else if (then) {
                        then();
                    }
                });
    }

    void GiveUp() {
        state_ = State::Unavailable;
        qWarning("This desktop offers the program no global shortcuts: bind the commands "
                 "\"tavinor --favorites\" (Alt+B) and \"tavinor --lock\" (Ctrl+K) in its own "
                 "keyboard shortcut settings.");
    }

    std::map<int, Wanted> wanted_;
    State state_ = State::Idle;
    QString session_;
    QString requestPath_;
    int requests_ = 0;
};

ShortcutsPortal& Portal() {
    static auto* portal = new ShortcutsPortal;
    return *portal;
}

} // namespace platform::portal

namespace platform {

void RequestPortalShortcut(int id, unsigned modifiers, unsigned virtualKey,
                           const std::string& description) {
    QString trigger;
    if (modifiers & kModControl)
        trigger += "CTRL+";
    if (modifiers & kModAlt)
        trigger += "ALT+";
    trigger += QChar(char(virtualKey | 0x20));
    portal::Portal().Add(id, {trigger, QString::fromStdString(description)});
}

void DropPortalShortcut(int id) {
    portal::Portal().Drop(id);
}

} // namespace platform

#include "shortcuts_portal.moc"
