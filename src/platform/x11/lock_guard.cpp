// The lock's guard process (guard/). It learns the password over a socket,
// never from its command line or its environment, which other processes of
// the machine can read. It answers with its
// cover, which the lock's windows then live in. Should the guard end while
// the lock holds, another one takes its place.
#include <QSocketNotifier>
#include <X11/Xlib.h>
#include <algorithm>
#include <cerrno>
#include <charconv>
#include <string_view>
#include <sys/socket.h>
#include <unistd.h>

#include "platform/linux/helper_process.h"
#include "platform/lock_channel/channel.h"
#include "platform/platform.h"
#include "platform/x11/lock_cover.h"

namespace platform {
namespace {

int channel = -1;
// Hears the guard's cover, then the guard's end.
QSocketNotifier* watcher = nullptr;
bool coverKnown = false;
// For the guard that takes over.
std::string guardPassword;

void CloseChannel() {
    if (watcher != nullptr) {
        watcher->setEnabled(false);
        watcher->deleteLater();
    }
    watcher = nullptr;
    if (channel >= 0)
        ::close(channel);
    channel = -1;
}

void ForgetPassword() {
    std::fill(guardPassword.begin(), guardPassword.end(), '\0');
    guardPassword.clear();
}

// The guard's answer to its first password, which it writes whole: its
// cover window; 0 when it ended or said something else.
Window ReadCover() {
    char line[32];
    std::size_t length = 0;
    while (length < sizeof line) {
        if (::recv(channel, line + length, 1, MSG_DONTWAIT) != 1)
            return 0;
        if (line[length] == '\n')
            break;
        ++length;
    }
    const std::string_view text(line, length);
    if (length == sizeof line || !text.starts_with(kCoverMessageWord))
        return 0;
    Window cover = 0;
    const char* first = line + kCoverMessageWord.size();
    const auto [end, error] = std::from_chars(first, line + length, cover);
    return error == std::errc() && end == line + length ? cover : 0;
}

// The lock's windows move into the cover once the guard shows it, which
// costs them the keyboard; a guard that ends before (no display) is not
// replaced, since its successor would fare no better.
void CoverArrived() {
    const Window cover = ReadCover();
    if (cover == 0) {
        CloseChannel();
        qWarning("The lock guard could not be started; a crash while locked would unlock.");
        return;
    }
    coverKnown = true;
    KeepInCover(cover);
    RestoreFocus();
}

// The guard says nothing after its cover: the socket becoming readable
// means it ended (killed, or out of memory). X has given the lock's windows
// back to the root; a new guard takes them, and the keyboard the moves cost
// goes back to the lock.
void GuardEnded() {
    char byte = 0;
    const ssize_t got = ::recv(channel, &byte, 1, MSG_DONTWAIT);
    if (got > 0 || (got < 0 && (errno == EAGAIN || errno == EINTR)))
        return;
    CloseChannel();
    KeepInCover(0);
    RestoreFocus();
    std::string password = guardPassword;
    if (!StartLockGuard(password))
        qWarning("The lock guard ended and could not be started again; a crash while locked "
                 "would unlock.");
    std::fill(password.begin(), password.end(), '\0');
}

} // namespace

// The guard answers with its cover on the window thread's event loop, which
// never waits for it.
bool StartLockGuard(const std::string& password) {
    if (channel >= 0)
        return SetLockGuardPassword(password);
    if (password.empty())
        return false;
    channel = StartHelperOnChannel("tavinor-lock-guard");
    if (!SetLockGuardPassword(password)) {
        CloseChannel();
        return false;
    }
    coverKnown = false;
    watcher = new QSocketNotifier(channel, QSocketNotifier::Read);
    QObject::connect(watcher, &QSocketNotifier::activated, [] {
        if (coverKnown)
            GuardEnded();
        else
            CoverArrived();
    });
    return true;
}

bool SetLockGuardPassword(const std::string& password) {
    if (channel < 0 || password.empty())
        return false;
    guardPassword = password;
    return SendPasswordMessage(channel, password);
}

// The lock's windows leave the cover before the guard goes with it.
void StopLockGuard() {
    ForgetPassword();
    if (channel < 0)
        return;
    KeepInCover(0);
    SendUnlockMessage(channel);
    CloseChannel();
}

} // namespace platform
