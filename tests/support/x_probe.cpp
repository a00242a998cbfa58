// A small X client for the lock's end-to-end test.
//   x_probe window TITLE X Y WIDTH HEIGHT
//     An ordinary window that prints "key" or "click" for every key press or
//     button press it receives.
//   x_probe grab SECONDS
//     Holds an active pointer grab, as an open menu does, then ends;
//     prints "grabbed" once it holds it.
//   x_probe above WINDOW OTHER
//     Succeeds when the X server stacks WINDOW (an id) above OTHER, whoever
//     their parents are.
//   x_probe maps TITLE_PREFIX
//     Prints "map ID" each time a top-level window whose title begins with
//     TITLE_PREFIX is mapped, with or without a window manager, until killed.
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "support/x_title.h"

namespace {

int ShowWindow(Display* display, const char* title, int x, int y, int width, int height) {
    const Window window = XCreateSimpleWindow(display, DefaultRootWindow(display), x, y, width,
                                              height, 0, 0, WhitePixel(display, 0));
    XStoreName(display, window, title);
    XSizeHints hints{};
    hints.flags = USPosition | PPosition;
    hints.x = x;
    hints.y = y;
    XSetWMNormalHints(display, window, &hints);
    XSelectInput(display, window, KeyPressMask | ButtonPressMask);
    XMapWindow(display, window);
    for (;;) {
        XEvent event;
        XNextEvent(display, &event);
        // The key's name, so that a failing check can say which key got through.
        if (event.type == KeyPress)
            std::printf("key %s\n", XKeysymToString(XLookupKeysym(&event.xkey, 0)));
        else if (event.type == ButtonPress)
            std::printf("click\n");
        std::fflush(stdout);
    }
}

int HoldGrab(Display* display, int seconds) {
    XSetWindowAttributes attributes{};
    attributes.override_redirect = True;
    const Window window =
        XCreateWindow(display, DefaultRootWindow(display), 0, 0, 1, 1, 0, CopyFromParent, InputOnly,
                      CopyFromParent, CWOverrideRedirect, &attributes);
    XMapWindow(display, window);
    XSync(display, False);
    for (int tries = 0; XGrabPointer(display, window, False, ButtonPressMask, GrabModeAsync,
                                     GrabModeAsync, None, None, CurrentTime) != GrabSuccess;
         ++tries) {
        if (tries == 250)
            return 1;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    std::printf("grabbed\n");
    std::fflush(stdout);
    std::this_thread::sleep_for(std::chrono::seconds(seconds));
    return 0;
}

// A window manager takes each new top-level into a frame of its own, so the
// windows are followed from their creation, not as children of the root.
int ReportMaps(Display* display, const std::string& prefix) {
    // A window may be gone before its creation is read.
    XSetErrorHandler([](Display*, XErrorEvent*) { return 0; });
    XSelectInput(display, DefaultRootWindow(display), SubstructureNotifyMask);
    XSync(display, False);
    std::printf("watching\n");
    std::fflush(stdout);
    // A window mapped before its creation was read is seen from the root.
    std::set<Window> followed;
    for (;;) {
        XEvent event;
        XNextEvent(display, &event);
        if (event.type == CreateNotify &&
            event.xcreatewindow.parent == DefaultRootWindow(display)) {
            followed.insert(event.xcreatewindow.window);
            XSelectInput(display, event.xcreatewindow.window, StructureNotifyMask);
        } else if (event.type == MapNotify &&
                   (event.xmap.event == event.xmap.window || !followed.count(event.xmap.window)) &&
                   WindowTitle(display, event.xmap.window).rfind(prefix, 0) == 0) {
            std::printf("map 0x%lx\n", event.xmap.window);
            std::fflush(stdout);
        }
    }
}

// The window and its ancestors, the root first.
std::vector<Window> Lineage(Display* display, Window window) {
    std::vector<Window> lineage{window};
    for (;;) {
        Window root = 0;
        Window parent = 0;
        Window* children = nullptr;
        unsigned count = 0;
        if (!XQueryTree(display, lineage.back(), &root, &parent, &children, &count))
            return {};
        if (children)
            XFree(children);
        if (parent == 0)
            break;
        lineage.push_back(parent);
    }
    return {lineage.rbegin(), lineage.rend()};
}

// Where they part, the one stacked later among its siblings stands above.
int StackedAbove(Display* display, Window window, Window other) {
    const std::vector<Window> mine = Lineage(display, window);
    const std::vector<Window> theirs = Lineage(display, other);
    std::size_t depth = 0;
    while (depth < mine.size() && depth < theirs.size() && mine[depth] == theirs[depth])
        ++depth;
    if (depth == 0 || depth == mine.size() || depth == theirs.size())
        return 2;
    Window root = 0;
    Window parent = 0;
    Window* children = nullptr;
    unsigned count = 0;
    if (!XQueryTree(display, mine[depth - 1], &root, &parent, &children, &count))
        return 2;
    int result = 1;
    for (unsigned i = 0; i < count; ++i) {
        if (children[i] == theirs[depth])
            result = 1;
        else if (children[i] == mine[depth])
            result = 0;
    }
    XFree(children);
    return result;
}

} // namespace

int main(int argc, char** argv) {
    Display* display = XOpenDisplay(nullptr);
    if (display == nullptr)
        return 2;
    if (argc == 7 && std::strcmp(argv[1], "window") == 0)
        return ShowWindow(display, argv[2], std::atoi(argv[3]), std::atoi(argv[4]),
                          std::atoi(argv[5]), std::atoi(argv[6]));
    if (argc == 3 && std::strcmp(argv[1], "grab") == 0)
        return HoldGrab(display, std::atoi(argv[2]));
    if (argc == 4 && std::strcmp(argv[1], "above") == 0)
        return StackedAbove(display, std::strtoul(argv[2], nullptr, 0),
                            std::strtoul(argv[3], nullptr, 0));
    if (argc == 3 && std::strcmp(argv[1], "maps") == 0)
        return ReportMaps(display, argv[2]);
    std::fprintf(stderr, "usage: x_probe window TITLE X Y W H | x_probe grab SECONDS | "
                         "x_probe above WINDOW OTHER | x_probe maps TITLE_PREFIX\n");
    return 2;
}
