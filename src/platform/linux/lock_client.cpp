// The Wayland lock client (wayland/lock/): it draws the lock and holds the input
// itself, and it keeps the desktop locked should the program end meanwhile.
// It learns the password over a socket, as the X11 guard does, and answers
// over the same socket when the right password was typed or a new one set.
#include <QSocketNotifier>
#include <unistd.h>

#include "platform/linux/helper_process.h"
#include "platform/lock_channel/channel.h"
#include "platform/platform.h"

namespace platform {
namespace {

struct Client {
    int channel = -1;
    QSocketNotifier* notifier = nullptr;
    LockClientEvents events;
};
Client client;

// Also called from the notifier's own signal: it goes once that returns.
void EndClient() {
    if (client.notifier != nullptr) {
        client.notifier->setEnabled(false);
        client.notifier->deleteLater();
        client.notifier = nullptr;
    }
    if (client.channel >= 0)
        ::close(client.channel);
    client.channel = -1;
}

// The client writes each message whole, so the rest of one that has begun
// to arrive follows at once.
void ClientSpoke() {
    LockedText password;
    switch (ReadGuardMessage(client.channel, password)) {
    case GuardMessage::Password:
        client.events.passwordSet(std::string(password.View()));
        return;
    case GuardMessage::Unlock: {
        const auto unlocked = client.events.unlocked;
        EndClient();
        unlocked();
        return;
    }
    case GuardMessage::Closed: {
        const auto lost = client.events.lost;
        EndClient();
        lost();
        return;
    }
    }
}

} // namespace

bool StartLockClient(const std::string& password, LockClientEvents events) {
    if (client.channel >= 0 || password.empty())
        return false;
    client.channel = StartHelperOnChannel("tavinor-wayland-lock");
    if (client.channel < 0)
        return false;
    if (!SendPasswordMessage(client.channel, password)) {
        EndClient();
        return false;
    }
    client.events = std::move(events);
    client.notifier = new QSocketNotifier(client.channel, QSocketNotifier::Read);
    QObject::connect(client.notifier, &QSocketNotifier::activated, ClientSpoke);
    return true;
}

bool LockClientRunning() {
    return client.channel >= 0;
}

} // namespace platform
