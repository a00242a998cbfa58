// The Wayland lock client (wayland/lock/): it draws the lock and holds the input
// itself, and it keeps the desktop locked should the program end meanwhile.
// It learns the password over a socket, as the X11 guard does, and answers
// over the same socket once the desktop is locked, when the right password
// was typed or a new one set, and when the compositor ended its lock.
#include <QCoreApplication>
#include <QTimer>
#include <algorithm>

#include "core/lock/restart_pace.h"
#include "platform/linux/helper_process.h"
#include "platform/lock_channel/channel.h"
#include "platform/platform.h"

namespace platform {
namespace {

// Clients that end before any said the desktop was locked: then the
// desktop's own lock is asked instead.
constexpr int kFailuresBeforeLocked = 3;

struct Client {
    HelperChannel channel;
    LockClientEvents events;
    // From the first start until the unlock, the compositor's end of the
    // lock, or the first client's failure.
    bool engaged = false;
    // Some client said the desktop was locked: from then on only the
    // password opens it, whatever happens to the clients.
    bool held = false;
    int failuresBeforeLocked = 0;
    std::string password; // for the client that takes over
    RestartPace pace;
};
Client client;

// The lock is over for the program; `event` is the last thing it hears.
void Disengage(const std::function<void()>& event) {
    const auto last = event;
    client.channel.Close();
    std::fill(client.password.begin(), client.password.end(), '\0');
    client.password.clear();
    client.engaged = false;
    client.held = false;
    client.pace.Reset();
    last();
}

void ClientSpoke();

bool StartClient() {
    client.pace.Started(RestartPace::Clock::now());
    if (!client.channel.Start("tavinor-wayland-lock"))
        return false;
    if (!SendPasswordMessage(client.channel.fd, client.password)) {
        client.channel.Close();
        return false;
    }
    client.channel.Listen(ClientSpoke);
    return true;
}

// A client that died while the lock held is replaced, however often it
// dies: with ext-session-lock the compositor keeps the session locked and
// hands the lock to the new client; with overlay surfaces the desktop is
// open in the moment between the two. A client that cannot be started is
// tried again at the same pace; the program never gives the lock up.
void Replace() {
    if (!client.engaged || client.channel.fd >= 0)
        return;
    const auto delay = client.pace.Delay(RestartPace::Clock::now());
    if (delay.count() > 0) {
        QTimer::singleShot(delay, qApp, Replace);
        return;
    }
    if (!StartClient()) {
        qWarning("The lock client could not be started again; trying again.");
        QTimer::singleShot(RestartPace::kSlowInterval, qApp, Replace);
    }
}

// The client writes each message whole, so the rest of one that has begun
// to arrive follows at once.
void ClientSpoke() {
    LockedText password;
    switch (ReadGuardMessage(client.channel.fd, password)) {
    case GuardMessage::Password:
        client.password = password.View();
        client.events.passwordSet(client.password);
        return;
    case GuardMessage::Locked:
        client.held = true;
        return;
    case GuardMessage::Unlock:
        Disengage(client.events.unlocked);
        return;
    case GuardMessage::Ended:
        Disengage(client.events.ended);
        return;
    case GuardMessage::Closed:
        // A client that could not lock at all (no protocol, refused, not
        // even started) fails again at once; one killed before it said so
        // is replaced like any other.
        if (!client.held && ++client.failuresBeforeLocked == kFailuresBeforeLocked) {
            Disengage(client.events.failed);
            return;
        }
        client.channel.Close();
        Replace();
        return;
    }
}

} // namespace

bool StartLockClient(const std::string& password, LockClientEvents events) {
    if (client.engaged || password.empty())
        return false;
    client.password = password;
    client.events = std::move(events);
    client.held = false;
    client.failuresBeforeLocked = 0;
    if (!StartClient()) {
        client.password.clear();
        return false;
    }
    client.engaged = true;
    return true;
}

bool LockClientRunning() {
    return client.engaged;
}

} // namespace platform
