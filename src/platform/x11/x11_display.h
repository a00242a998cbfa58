#pragma once
// The X connection Qt opened, and a trap for the X errors of a few calls.

#include <X11/Xlib.h>

namespace platform {

// Null when the program does not run on X.
Display* X11Display();

// Traps the X errors of the calls in its scope: a window that vanished or a
// key that another program already grabbed must not end the process.
class ErrorTrap {
public:
    explicit ErrorTrap(Display* display);
    ~ErrorTrap();
    ErrorTrap(const ErrorTrap&) = delete;
    ErrorTrap& operator=(const ErrorTrap&) = delete;
    // Waits for the server's answer to everything sent so far.
    bool Failed();

private:
    static int OnError(Display*, XErrorEvent*);
    static inline bool failed_ = false;
    Display* display_;
    XErrorHandler previous_;
};

} // namespace platform
