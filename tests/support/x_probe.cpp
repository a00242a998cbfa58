// A small X client for the lock's end-to-end test.
//   x_probe window TITLE X Y WIDTH HEIGHT
//     An ordinary window that prints "key" or "click" for every key press or
//     button press it receives.
//   x_probe grab SECONDS
//     Holds an active pointer grab, as an open menu does, then ends;
//     prints "grabbed" once it holds it.
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <thread>

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
        if (event.type == KeyPress)
            std::printf("key\n");
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
    std::fprintf(stderr, "usage: x_probe window TITLE X Y W H | x_probe grab SECONDS\n");
    return 2;
}
