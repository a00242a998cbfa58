// The lock's guard process (guard/). It learns the password over a socket,
// never from its command line or its environment, which other processes of
// the machine can read. It answers with its
// cover, which the lock's windows then live in. Should the guard end while
// the lock holds, another one takes its place.
#include <QtGlobal>
#include <X11/Xlib.h>
#include <algorithm>
#include <cerrno>
#include <sys/socket.h>

#include "platform/linux/helper_process.h"
#include "platform/lock_channel/channel.h"
#include "platform/platform.h"
#include "platform/x11/lock_cover.h"

namespace platform {
namespace {

// Hears the guard's cover, then the guard's end.
HelperChannel guard;
bool coverKnown = false;
// For the guard that takes over.
std::string guardPassword;

void ForgetPassword() {
    std::fill(guardPassword.begin(), guardPassword.end(), '\0');
    guardPassword.clear();
}

// The lock's windows move into the cover once the guard shows it, which
// costs them the keyboard; a guard that ends before (no display) is not
// replaced, since its successor would fare no better.
void CoverArrived() {
    // The guard writes its answer to the first password whole.
    const Window cover = ReadCoverMessage(guard.fd);
    if (cover == 0) {
        guard.Close();
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
    const ssize_t got = ::recv(guard.fd, &byte, 1, MSG_DONTWAIT);
    if (got > 0 || (got < 0 && (errno == EAGAIN || errno == EINTR)))
        return;
    guard.Close();
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
    if (guard.fd >= 0)
        return SetLockGuardPassword(password);
    if (password.empty())
        return false;
    guard.Start("tavinor-lock-guard");
    if (!SetLockGuardPassword(password)) {
        guard.Close();
        return false;
    }
    coverKnown = false;
    guard.Listen([] {
        if (coverKnown)
            GuardEnded();
        else
            CoverArrived();
    });
    return true;
}

bool SetLockGuardPassword(const std::string& password) {
    if (guard.fd < 0 || password.empty())
        return false;
    guardPassword = password;
    return SendPasswordMessage(guard.fd, password);
}

// The lock's windows leave the cover before the guard goes with it.
void StopLockGuard() {
    ForgetPassword();
    if (guard.fd < 0)
        return;
    KeepInCover(0);
    SendUnlockMessage(guard.fd);
    guard.Close();
}

} // namespace platform
