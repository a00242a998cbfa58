#pragma once
// A top-level window's title (_NET_WM_NAME), for the small X clients of the
// tests and benchmarks; empty when it has none.
#include <X11/Xlib.h>
#include <string>

inline std::string WindowTitle(Display* display, Window window) {
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
