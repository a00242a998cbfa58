#pragma once
// The X connection Qt opened, and a trap for the X errors of a few calls.

#include <X11/Xlib.h>

namespace platform {

// Null when the program does not run on X.
Display* X11Display();

// Traps the X errors of the calls in its scope: a window that vanished or a
// key that another program already grabbed must not end the process. Only
// errors of requests made inside the scope count.
class ErrorTrap {
public:
    explicit ErrorTrap(Display* display);
    ~ErrorTrap();
    ErrorTrap(const ErrorTrap&) = delete;
    ErrorTrap& operator=(const ErrorTrap&) = delete;
    // Waits for the server's answer to everything sent so far.
    bool Failed();

private:
    static int OnError(Display* display, XErrorEvent* error);
    static inline bool failed_ = false;
    static inline Display* trapped_ = nullptr;
    static inline unsigned long firstSerial_ = 0;
    static inline XErrorHandler previous_ = nullptr;
};

} // namespace platform
