// The root window spans every monitor, also where the monitors are known
// only to Xinerama and not to Qt's screens.
#include <QGuiApplication>
#include <QScreen>
#include <X11/Xlib.h>

#include "platform/platform.h"
#include "platform/x11/x11_display.h"

namespace platform {

DesktopRect DesktopArea() {
    if (Display* display = X11Display()) {
        Window root = 0;
        int x = 0;
        int y = 0;
        unsigned width = 0;
        unsigned height = 0;
        unsigned border = 0;
        unsigned depth = 0;
        if (XGetGeometry(display, DefaultRootWindow(display), &root, &x, &y, &width, &height,
                         &border, &depth))
            return {0, 0, static_cast<int>(width), static_cast<int>(height)};
    }
    const QScreen* screen = QGuiApplication::primaryScreen();
    const QRect all = screen ? screen->virtualGeometry() : QRect();
    return {all.x(), all.y(), all.width(), all.height()};
}

} // namespace platform
