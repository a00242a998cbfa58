#include <QGuiApplication>
#include <X11/Xlib.h>

#include "platform/x11/x11_display.h"

namespace platform {

Display* X11Display() {
    auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    return x11 ? x11->display() : nullptr;
}

ErrorTrap::ErrorTrap(Display* display) {
    failed_ = false;
    trapped_ = display;
    firstSerial_ = NextRequest(display);
    previous_ = XSetErrorHandler(&ErrorTrap::OnError);
}

ErrorTrap::~ErrorTrap() {
    XSetErrorHandler(previous_);
    trapped_ = nullptr;
}

bool ErrorTrap::Failed() {
    XSync(trapped_, False);
    return failed_;
}

// The connection is Qt's: an error of one of its own earlier requests may
// arrive while the trap is set, and is not the trapped calls' failure.
int ErrorTrap::OnError(Display* display, XErrorEvent* error) {
    if (display == trapped_ && error->serial >= firstSerial_) {
        failed_ = true;
        return 0;
    }
    return previous_ ? previous_(display, error) : 0;
}

} // namespace platform
