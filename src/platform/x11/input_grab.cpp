// The lock's hold on the input: an active grab of the keyboard and the
// pointer. Unlike a passive key grab it takes every key, the window
// manager's own shortcuts included. X reports whether the grab was really
// given (another program's open menu may hold one), so the caller can say so
// and try again.
#include <QPointer>
#include <QWidget>
#include <X11/Xlib.h>

#include "platform/platform.h"
#include "platform/x11/lock_cover.h"
#include "platform/x11/x11_display.h"

namespace platform {
namespace {

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
    // The grab is taken on the root, which never goes away or moves: a
    // grab on the lock's window would end each time that window is moved
    // into another guard's cover. Events meant for the program's own windows
    // still reach them, so the password dialog above the lock gets its
    // clicks and keys; the others come to the root and go nowhere.
    const Window target = DefaultRootWindow(display);
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
    return true;
}

void ReleaseInput() {
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

void RestoreFocus() {
    FocusInput(Focused());
}

} // namespace platform
