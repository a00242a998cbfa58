#include <QGuiApplication>

#include "platform/x11/x11_display.h"

namespace platform {

Display* X11Display() {
    auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    return x11 ? x11->display() : nullptr;
}

ErrorTrap::ErrorTrap(Display* display) : display_(display) {
    failed_ = false;
    previous_ = XSetErrorHandler(&ErrorTrap::OnError);
}

ErrorTrap::~ErrorTrap() {
    XSetErrorHandler(previous_);
}

bool ErrorTrap::Failed() {
    XSync(display_, False);
    return failed_;
}

int ErrorTrap::OnError(Display*, XErrorEvent*) {
    failed_ = true;
    return 0;
}

} // namespace platform
