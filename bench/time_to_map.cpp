// Starts a program and prints the milliseconds from its start until the X
// server maps a top-level window whose title begins with a given text; then
// ends the program. The server reports the mapping itself, so nothing polls
// beside the program being timed. With --painted RRGGBB it goes on until the
// middle of that window shows that colour (a page's background), read from
// the server every 5 ms.
// Usage: time_to_map [--painted RRGGBB] TITLE_PREFIX PROGRAM [ARGUMENTS...]
// (no window manager)
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <fcntl.h>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

#include "support/x_title.h"

namespace {

// The colour of the window's middle, as 0xRRGGBB.
unsigned long MiddleColour(Display* display, Window window) {
    XWindowAttributes attributes{};
    if (!XGetWindowAttributes(display, window, &attributes))
        return ~0UL;
    XImage* image = XGetImage(display, window, attributes.width / 2, attributes.height / 2, 1, 1,
                              AllPlanes, ZPixmap);
    if (image == nullptr)
        return ~0UL;
    const unsigned long pixel = XGetPixel(image, 0, 0) & 0xffffff;
    XDestroyImage(image);
    return pixel;
}

} // namespace

int main(int argc, char** argv) {
    long painted = -1;
    if (argc > 2 && std::string(argv[1]) == "--painted") {
        painted = std::stol(argv[2], nullptr, 16);
        argv += 2;
        argc -= 2;
    }
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s [--painted RRGGBB] TITLE_PREFIX PROGRAM [ARGUMENTS...]\n",
                     argv[0]);
        return 2;
    }
    Display* display = XOpenDisplay(nullptr);
    if (display == nullptr)
        return 2;
    XSelectInput(display, DefaultRootWindow(display), SubstructureNotifyMask);
    XSync(display, False);
    const std::string prefix = argv[1];
    const auto start = std::chrono::steady_clock::now();
    const pid_t program = fork();
    if (program == 0) {
        const int null = open("/dev/null", O_WRONLY);
        dup2(null, STDOUT_FILENO);
        dup2(null, STDERR_FILENO);
        execv(argv[2], argv + 2);
        _exit(127);
    }
    alarm(60);
    // XGetImage of a window just gone fails; a window that replaces it is
    // followed instead, so the time is the one of the window that stays.
    XSetErrorHandler([](Display*, XErrorEvent*) { return 0; });
    Window mapped = 0;
    for (;;) {
        while (XPending(display) > 0 || mapped == 0) {
            XEvent event;
            XNextEvent(display, &event);
            if (event.type == MapNotify &&
                WindowTitle(display, event.xmap.window).rfind(prefix, 0) == 0)
                mapped = event.xmap.window;
        }
        if (painted < 0 || MiddleColour(display, mapped) == static_cast<unsigned long>(painted))
            break;
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    const auto elapsed = std::chrono::steady_clock::now() - start;
    std::printf("%lld\n",
                static_cast<long long>(
                    std::chrono::duration_cast<std::chrono::milliseconds>(elapsed).count()));
    kill(program, SIGTERM);
    waitpid(program, nullptr, 0);
    XCloseDisplay(display);
    return 0;
}
