// Keeps the lock on top: the root window reports every top-level window
// that is mapped or restacked, and the lock's windows are raised again
// whenever the topmost one is not theirs. While the lock's guard stands by,
// the lock's windows live inside the guard's cover (lock_cover.h).
#include <QAbstractNativeEventFilter>
#include <QGuiApplication>
#include <QPointer>
#include <QWidget>
#include <X11/Xatom.h>
#include <algorithm>
#include <xcb/xcb.h>

#include "platform/platform.h"
#include "platform/x11/lock_cover.h"
#include "platform/x11/x11_display.h"

namespace platform {
namespace {

std::vector<QPointer<QWidget>>& Kept() {
    static std::vector<QPointer<QWidget>> kept;
    return kept;
}

Window& Cover() {
    static Window cover = 0;
    return cover;
}

Window TopmostChild(Display* display) {
    Window root = 0;
    Window parent = 0;
    Window* children = nullptr;
    unsigned count = 0;
    Window top = 0;
    if (XQueryTree(display, DefaultRootWindow(display), &root, &parent, &children, &count) &&
        children) {
        if (count > 0)
            top = children[count - 1];
        XFree(children);
    }
    return top;
}

// A window manager puts managed windows into frames; the frame is what
// stands among the root's children.
Window RootChild(Display* display, Window window) {
    const Window root = DefaultRootWindow(display);
    for (;;) {
        Window rootReturn = 0;
        Window parent = 0;
        Window* children = nullptr;
        unsigned count = 0;
        if (!XQueryTree(display, window, &rootReturn, &parent, &children, &count))
            return window;
        if (children)
            XFree(children);
        if (parent == root || parent == 0)
            return window;
        window = parent;
    }
}

// Moves `window` into `parent`, at the same place on the screen.
void PlaceIn(Display* display, Window window, Window parent) {
    Window root = 0;
    Window current = 0;
    Window* children = nullptr;
    unsigned count = 0;
    if (!XQueryTree(display, window, &root, &current, &children, &count))
        return;
    if (children)
        XFree(children);
    if (current == parent)
        return;
    int x = 0;
    int y = 0;
    Window child = 0;
    XTranslateCoordinates(display, window, parent, 0, 0, &x, &y, &child);
    XReparentWindow(display, window, parent, x, y);
}

// The cover shows as the lock does: see-through where a compositor draws it.
void CopyOpacity(Display* display, Window from, Window to) {
    const Atom opacity = XInternAtom(display, "_NET_WM_WINDOW_OPACITY", False);
    Atom type = None;
    int format = 0;
    unsigned long count = 0;
    unsigned long after = 0;
    unsigned char* value = nullptr;
    if (XGetWindowProperty(display, from, opacity, 0, 1, False, XA_CARDINAL, &type, &format, &count,
                           &after, &value) == Success &&
        value != nullptr && count == 1)
        XChangeProperty(display, to, opacity, XA_CARDINAL, 32, PropModeReplace, value, 1);
    if (value != nullptr)
        XFree(value);
}

// The kept windows go into the cover, which then shows, or to the root
// when there is none.
void PlaceKept(Display* display) {
    const Window parent = Cover() != 0 ? Cover() : DefaultRootWindow(display);
    ErrorTrap trap(display);
    Window lowest = 0;
    for (const QPointer<QWidget>& window : Kept()) {
        if (!window)
            continue;
        PlaceIn(display, window->winId(), parent);
        if (lowest == 0)
            lowest = window->winId();
    }
    if (Cover() != 0 && lowest != 0) {
        CopyOpacity(display, lowest, Cover());
        XMapWindow(display, Cover());
    }
    trap.Failed();
}

void RaiseKept() {
    Display* display = X11Display();
    std::vector<QWidget*> shown;
    for (const QPointer<QWidget>& window : Kept())
        if (window && window->isVisible())
            shown.push_back(window);
    if (display == nullptr || shown.empty())
        return;
    // Raising only when someone else is on top keeps our own raises from
    // feeding this loop.
    ErrorTrap trap(display);
    if (TopmostChild(display) != RootChild(display, shown.back()->winId()))
        for (QWidget* window : shown)
            XRaiseWindow(display, RootChild(display, window->winId()));
    trap.Failed();
}

class StackingFilter : public QAbstractNativeEventFilter {
public:
    bool nativeEventFilter(const QByteArray& type, void* message, qintptr*) override {
        if (type != "xcb_generic_event_t" || Kept().empty())
            return false;
        const auto* event = static_cast<xcb_generic_event_t*>(message);
        const int kind = event->response_type & 0x7f;
        if (kind == XCB_MAP_NOTIFY || kind == XCB_CONFIGURE_NOTIFY)
            RaiseKept();
        return false;
    }
};

void WatchRootOnce(Display* display) {
    static StackingFilter* filter = nullptr;
    if (filter != nullptr || qGuiApp == nullptr)
        return;
    const Window root = DefaultRootWindow(display);
    XWindowAttributes attributes;
    XGetWindowAttributes(display, root, &attributes);
    XSelectInput(display, root, attributes.your_event_mask | SubstructureNotifyMask);
    filter = new StackingFilter;
    qGuiApp->installNativeEventFilter(filter);
}

} // namespace

void BypassWindowManager(QWidget* window, bool bypass) {
    Display* display = X11Display();
    if (display == nullptr || window == nullptr)
        return;
    XSetWindowAttributes attributes;
    attributes.override_redirect = bypass ? True : False;
    ErrorTrap trap(display);
    XChangeWindowAttributes(display, window->winId(), CWOverrideRedirect, &attributes);
    trap.Failed();
}

void KeepAbove(std::vector<QWidget*> windows) {
    Display* display = X11Display();
    if (display != nullptr) {
        // A window no longer kept leaves the cover.
        ErrorTrap trap(display);
        for (const QPointer<QWidget>& window : Kept())
            if (window && std::find(windows.begin(), windows.end(), window) == windows.end())
                PlaceIn(display, window->winId(), DefaultRootWindow(display));
        trap.Failed();
    }
    Kept().assign(windows.begin(), windows.end());
    if (display == nullptr || windows.empty())
        return;
    WatchRootOnce(display);
    PlaceKept(display);
    RaiseKept();
    XFlush(display);
}

void KeepInCover(Window cover) {
    Display* display = X11Display();
    if (display == nullptr)
        return;
    const Window previous = Cover();
    Cover() = cover;
    PlaceKept(display);
    // The guard's cover is left to the guard; only it shows no longer.
    if (previous != 0 && previous != cover) {
        ErrorTrap trap(display);
        XUnmapWindow(display, previous);
        trap.Failed();
    }
    RaiseKept();
}

} // namespace platform
