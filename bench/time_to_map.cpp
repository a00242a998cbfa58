// Starts a program and prints the milliseconds from its start until the X
// server maps a top-level window whose title begins with a given text; then
// ends the program. The server reports the mapping itself, so nothing polls
// beside the program being timed.
// Usage: time_to_map TITLE_PREFIX PROGRAM [ARGUMENTS...]   (no window manager)
#include <X11/Xlib.h>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <fcntl.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

namespace {

std::string Title(Display* display, Window window) {
    const Atom name = XInternAtom(display, "_NET_WM_NAME", False);
    const Atom utf8 = XInternAtom(display, "UTF8_STRING", False);
    Atom type = None;
    int format = 0;
    unsigned long count = 0;
    unsigned long left = 0;
    unsigned char* data = nullptr;
    std::string title;
    if (XGetWindowProperty(display, window, name, 0, 256, False, utf8, &type, &format, &count,
                           &left, &data) == Success &&
        data != nullptr) {
        title.assign(reinterpret_cast<char*>(data), count);
        XFree(data);
    }
    return title;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s TITLE_PREFIX PROGRAM [ARGUMENTS...]\n", argv[0]);
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
    for (;;) {
        XEvent event;
        XNextEvent(display, &event);
        if (event.type == MapNotify && Title(display, event.xmap.window).rfind(prefix, 0) == 0)
            break;
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
