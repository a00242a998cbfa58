// The lock's hold on the input: an active grab of the keyboard and the
// pointer. Unlike a passive key grab it takes every key, the window
// manager's own shortcuts included. X reports whether the grab was really
// given (another program's open menu may hold one), so the caller can say so
// and try again.
#include <QPointer>
#include <QTimer>
#include <QWidget>

#include "platform/platform.h"
#include "platform/x11/lock_cover.h"
#include "platform/x11/x11_display.h"

namespace platform {
namespace {

constexpr int kRetakeRetryMs = 100;

// The window the input is held for, until it is released.
QPointer<QWidget>& Holder() {
    static QPointer<QWidget> holder;
    return holder;
}

// The window last given the keyboard.
QPointer<QWidget>& Focused() {
    static QPointer<QWidget> focused;
    return focused;
}

} // namespace

bool GrabInput(QWidget* window) {
    Display* display = X11Display();
    if (display == nullptr || window == nullptr || !window->isVisible())
        return false;
    const Window target = window->winId();
    // Events meant for the program's own windows still reach them, so the
    // password dialog above the lock gets its clicks and keys.
    const int keyboard =
        XGrabKeyboard(display, target, True, GrabModeAsync, GrabModeAsync, CurrentTime);
    const int pointer =
        XGrabPointer(display, target, True, ButtonPressMask | ButtonReleaseMask | PointerMotionMask,
                     GrabModeAsync, GrabModeAsync, None, None, CurrentTime);
    if (keyboard != GrabSuccess || pointer != GrabSuccess) {
        ReleaseInput();
        return false;
    }
    XFlush(display);
    Holder() = window;
    return true;
}

void ReleaseInput() {
    Holder() = nullptr;
    Display* display = X11Display();
    if (display == nullptr)
        return;
    XUngrabKeyboard(display, CurrentTime);
    XUngrabPointer(display, CurrentTime);
    XFlush(display);
}

void FocusInput(QWidget* window) {
    Display* display = X11Display();
    if (display == nullptr || window == nullptr || !window->isVisible())
        return;
    ErrorTrap trap(display);
    XSetInputFocus(display, window->winId(), RevertToParent, CurrentTime);
    trap.Failed();
    Focused() = window;
}

void RetakeInput() {
    const QPointer<QWidget> holder = Holder();
    if (!holder)
        return;
    if (!GrabInput(holder)) {
        Holder() = holder;
        QTimer::singleShot(kRetakeRetryMs, [] { RetakeInput(); });
        return;
    }
    FocusInput(Focused());
}

} // namespace platform
