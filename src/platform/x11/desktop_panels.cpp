// The desktop's panels are the windows that call themselves docks (EWMH
// _NET_WM_WINDOW_TYPE_DOCK). A window manager may have put each one into a
// frame of its own, so the frames' children are looked at too. A panel left
// hidden by a lock that was never undone counts as well, so the next
// release shows it again.
#include <X11/Xatom.h>
#include <vector>

#include "platform/platform.h"
#include "platform/x11/x11_display.h"

namespace platform {
namespace {

// A window manager places a window that is mapped again as it likes, so
// each panel goes back to where it stood.
struct HiddenPanel {
    Window window;
    int x;
    int y;
};

std::vector<HiddenPanel>& HiddenPanels() {
    static std::vector<HiddenPanel> hidden;
    return hidden;
}

HiddenPanel Place(Display* display, Window window) {
    int x = 0;
    int y = 0;
    Window child = 0;
    XTranslateCoordinates(display, window, DefaultRootWindow(display), 0, 0, &x, &y, &child);
    return {window, x, y};
}

bool IsDock(Display* display, Window window) {
    const Atom type = XInternAtom(display, "_NET_WM_WINDOW_TYPE", False);
    const Atom dock = XInternAtom(display, "_NET_WM_WINDOW_TYPE_DOCK", False);
    Atom actualType = None;
    int format = 0;
    unsigned long count = 0;
    unsigned long after = 0;
    unsigned char* data = nullptr;
    bool found = false;
    if (XGetWindowProperty(display, window, type, 0, 32, False, XA_ATOM, &actualType, &format,
                           &count, &after, &data) == Success &&
        data != nullptr && format == 32) {
        const auto* atoms = reinterpret_cast<const Atom*>(data);
        for (unsigned long i = 0; i < count && !found; ++i)
            found = atoms[i] == dock;
    }
    if (data != nullptr)
        XFree(data);
    return found;
}

std::vector<Window> Children(Display* display, Window window) {
    Window root = 0;
    Window parent = 0;
    Window* children = nullptr;
    unsigned count = 0;
    std::vector<Window> result;
    if (XQueryTree(display, window, &root, &parent, &children, &count) != 0 && children) {
        result.assign(children, children + count);
        XFree(children);
    }
    return result;
}

void FindPanels(Display* display, Window window, int depth, std::vector<Window>& panels) {
    for (const Window child : Children(display, window)) {
        if (IsDock(display, child))
            panels.push_back(child);
        else if (depth > 1)
            FindPanels(display, child, depth - 1, panels);
    }
}

} // namespace

void HideDesktopPanels() {
    Display* display = X11Display();
    if (display == nullptr)
        return;
    ErrorTrap trap(display);
    std::vector<Window> panels;
    FindPanels(display, DefaultRootWindow(display), 2, panels);
    for (const Window panel : panels) {
        HiddenPanels().push_back(Place(display, panel));
        XUnmapWindow(display, panel);
    }
    trap.Failed();
}

void ShowDesktopPanels() {
    Display* display = X11Display();
    if (display == nullptr)
        return;
    // A panel that ended meanwhile is simply gone.
    ErrorTrap trap(display);
    for (const HiddenPanel& panel : HiddenPanels()) {
        XMapWindow(display, panel.window);
        XMoveWindow(display, panel.window, panel.x, panel.y);
    }
    trap.Failed();
    HiddenPanels().clear();
}

} // namespace platform
