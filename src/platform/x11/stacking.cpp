// Keeps the lock on top: the root window reports every top-level window
// that is mapped or restacked, and the lock's windows are raised again
// whenever the topmost one is not theirs.
#include <QAbstractNativeEventFilter>
#include <QGuiApplication>
#include <QPointer>
#include <QWidget>
#include <algorithm>
#include <xcb/xcb.h>

#include "platform/platform.h"
#include "platform/x11/x11_display.h"

namespace platform {
namespace {

std::vector<QPointer<QWidget>>& Kept() {
    static std::vector<QPointer<QWidget>> kept;
    return kept;
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
    Kept().assign(windows.begin(), windows.end());
    Display* display = X11Display();
    if (display == nullptr || windows.empty())
        return;
    WatchRootOnce(display);
    RaiseKept();
    XFlush(display);
}

} // namespace platform
