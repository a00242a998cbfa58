#include <X11/Xatom.h>
#include <X11/Xutil.h>
#include <X11/extensions/Xinerama.h>
#include <X11/keysym.h>
#include <clocale>
#include <cstring>
#include <poll.h>
#include <string>
#include <vector>

#include "platform/x11/guard/screen_cover.h"

namespace {

// Grabs are retried quickly for about a second (the dead program's grab
// lasts until the X server has seen it go, another program's open menu
// holds one for a moment), then every second until they are held.
constexpr int kQuickRetries = 100;
constexpr int kQuickRetryMs = 10;
constexpr int kRetryMs = 1000;
constexpr const char* kTitle = "tavinor-lock-guard";
constexpr const char* kPrompt = "The screen is locked. Type the password, then press Enter.";
constexpr const char* kWrong = "Wrong password.";
constexpr const char* kNotHeld = "The keyboard and mouse could not be locked yet; other programs "
                                 "can still use them. Retrying...";

// A window of the program that vanished before the guard got to it must
// not end the guard, as Xlib's default handler would.
int IgnoreError(Display*, XErrorEvent*) {
    return 0;
}

unsigned long Colour(Display* display, const char* name, unsigned long fallback) {
    XColor exact;
    XColor shown;
    return XAllocNamedColor(display, DefaultColormap(display, DefaultScreen(display)), name, &shown,
                            &exact)
               ? shown.pixel
               : fallback;
}

} // namespace

bool ScreenCover::Open() {
    // The user's input method, so that a password in Chinese can be typed too.
    setlocale(LC_CTYPE, "");
    XSetLocaleModifiers("");
    XSetErrorHandler(IgnoreError);
    display_ = XOpenDisplay(nullptr);
    if (display_ == nullptr)
        return false;
    const int screen = DefaultScreen(display_);
    root_ = DefaultRootWindow(display_);
    white_ = WhitePixel(display_, screen);
    red_ = Colour(display_, "red", white_);
    const Area area = RootArea();
    XSetWindowAttributes attributes{};
    attributes.override_redirect = True;
    attributes.background_pixel = BlackPixel(display_, screen);
    // The program's windows coming and going inside are reported too.
    attributes.event_mask = ExposureMask | KeyPressMask | ButtonPressMask | VisibilityChangeMask |
                            StructureNotifyMask | SubstructureNotifyMask;
    window_ = XCreateWindow(display_, root_, area.x, area.y, area.width, area.height, 0,
                            CopyFromParent, InputOutput, CopyFromParent,
                            CWOverrideRedirect | CWBackPixel | CWEventMask, &attributes);
    XStoreName(display_, window_, kTitle);
    // A change of the root's size (a monitor plugged in) is reported here.
    XSelectInput(display_, root_, StructureNotifyMask);
    font_ = XLoadQueryFont(display_, "-misc-fixed-bold-r-normal--18-*-*-*-*-*-iso10646-1");
    if (font_ == nullptr)
        font_ = XLoadQueryFont(display_, "fixed");
    gc_ = XCreateGC(display_, window_, 0, nullptr);
    if (font_ != nullptr)
        XSetFont(display_, gc_, font_->fid);
    // An input method turns keys into UTF-8, the password's encoding.
    inputMethod_ = XOpenIM(display_, nullptr, nullptr, nullptr);
    if (inputMethod_ != nullptr)
        inputContext_ = XCreateIC(inputMethod_, XNInputStyle, XIMPreeditNothing | XIMStatusNothing,
                                  XNClientWindow, window_, XNFocusWindow, window_, nullptr);
    XSync(display_, False);
    return true;
}

ScreenCover::~ScreenCover() {
    if (display_ == nullptr)
        return;
    XUngrabKeyboard(display_, CurrentTime);
    XUngrabPointer(display_, CurrentTime);
    if (inputContext_ != nullptr)
        XDestroyIC(inputContext_);
    if (inputMethod_ != nullptr)
        XCloseIM(inputMethod_);
    if (font_ != nullptr)
        XFreeFont(display_, font_);
    XFreeGC(display_, gc_);
    XDestroyWindow(display_, window_);
    XCloseDisplay(display_);
}

ScreenCover::Area ScreenCover::RootArea() const {
    XWindowAttributes attributes;
    XGetWindowAttributes(display_, root_, &attributes);
    return {0, 0, attributes.width, attributes.height};
}

void ScreenCover::StandBy() {
    while (XPending(display_) > 0) {
        XEvent event;
        XNextEvent(display_, &event);
        if (!XFilterEvent(&event, None))
            Handle(event);
    }
}

// The program's windows already left; what the guard did not hear of yet
// it hears now, so no window of the program stays in its save-set.
void ScreenCover::LetGo() {
    XSync(display_, False);
    StandBy();
}

void ScreenCover::Handle(XEvent& event) {
    switch (event.type) {
    case ReparentNotify: {
        // The program's windows inside the cover go back to the root, not
        // down with the cover, should the guard end first.
        const Window child = event.xreparent.window;
        if (event.xreparent.event != window_ || child == window_)
            break;
        if (event.xreparent.parent == window_) {
            XAddToSaveSet(display_, child);
            kept_.insert(child);
        } else if (kept_.erase(child) > 0) {
            XRemoveFromSaveSet(display_, child);
        }
        break;
    }
    case DestroyNotify:
        kept_.erase(event.xdestroywindow.window);
        break;
    case Expose:
        if (event.xexpose.count == 0)
            Draw();
        break;
    case KeyPress:
        // Only once the program's windows are gone can a key reach the
        // cover: it is part of the password.
        Key(event.xkey);
        break;
    case MapNotify:
    case ConfigureNotify:
        if (event.type == ConfigureNotify && event.xconfigure.window == root_) {
            const Area area = RootArea();
            XMoveResizeWindow(display_, window_, area.x, area.y, area.width, area.height);
        }
        RaiseIfCovered();
        break;
    case VisibilityNotify:
        if (event.xvisibility.state != VisibilityUnobscured)
            RaiseIfCovered();
        break;
    default:
        break;
    }
}

void ScreenCover::TryHold() {
    const int keyboard =
        XGrabKeyboard(display_, window_, False, GrabModeAsync, GrabModeAsync, CurrentTime);
    const int pointer = XGrabPointer(display_, window_, False, ButtonPressMask | ButtonReleaseMask,
                                     GrabModeAsync, GrabModeAsync, None, None, CurrentTime);
    held_ = keyboard == GrabSuccess && pointer == GrabSuccess;
    if (!held_) {
        XUngrabKeyboard(display_, CurrentTime);
        XUngrabPointer(display_, CurrentTime);
        --quickRetriesLeft_;
    } else {
        XSetInputFocus(display_, window_, RevertToParent, CurrentTime);
    }
    Draw();
}

// Only once the cover shows itself does it stand above everything.
void ScreenCover::RaiseIfCovered() {
    if (!shown_)
        return;
    Window rootReturn = 0;
    Window parent = 0;
    Window* children = nullptr;
    unsigned count = 0;
    if (!XQueryTree(display_, root_, &rootReturn, &parent, &children, &count))
        return;
    const bool onTop = count > 0 && children[count - 1] == window_;
    if (children != nullptr)
        XFree(children);
    if (!onTop)
        XRaiseWindow(display_, window_);
}

void ScreenCover::DrawCentred(const Area& monitor, int y, const char* text, unsigned long colour) {
    const int length = static_cast<int>(std::strlen(text));
    const int width = font_ != nullptr ? XTextWidth(font_, text, length) : length * 9;
    XSetForeground(display_, gc_, colour);
    XDrawString(display_, window_, gc_, monitor.x + (monitor.width - width) / 2, y, text, length);
}

void ScreenCover::Draw() {
    if (!shown_)
        return;
    XClearWindow(display_, window_);
    const int lineHeight = font_ != nullptr ? font_->ascent + font_->descent + 12 : 30;
    // Dots, one for each typed character, never the characters.
    int characters = 0;
    for (const char byte : typed_.View())
        characters += (static_cast<unsigned char>(byte) & 0xC0) != 0x80;
    std::vector<Area> monitors;
    int count = 0;
    if (XineramaIsActive(display_)) {
        if (XineramaScreenInfo* screens = XineramaQueryScreens(display_, &count)) {
            for (int i = 0; i < count; ++i)
                monitors.push_back(
                    {screens[i].x_org, screens[i].y_org, screens[i].width, screens[i].height});
            XFree(screens);
        }
    }
    if (monitors.empty())
        monitors.push_back(RootArea());
    for (const Area& monitor : monitors) {
        const int middle = monitor.y + monitor.height / 2;
        DrawCentred(monitor, middle - lineHeight, kPrompt, white_);
        const int dots = characters < 40 ? characters : 40;
        XSetForeground(display_, gc_, white_);
        for (int i = 0; i < dots; ++i)
            XFillArc(display_, window_, gc_, monitor.x + monitor.width / 2 - dots * 8 + i * 16,
                     middle - 5, 10, 10, 0, 360 * 64);
        if (wrong_)
            DrawCentred(monitor, middle + lineHeight, kWrong, red_);
        if (!held_)
            DrawCentred(monitor, middle + 2 * lineHeight, kNotHeld, red_);
    }
    XFlush(display_);
}

void ScreenCover::Key(XKeyEvent& event) {
    char text[64];
    KeySym key = NoSymbol;
    Status status = 0;
    const int length =
        inputContext_ != nullptr
            ? Xutf8LookupString(inputContext_, &event, text, sizeof text, &key, &status)
            : XLookupString(&event, text, sizeof text, &key, nullptr);
    if (key == XK_Return || key == XK_KP_Enter) {
        unlocked_ = PasswordMatches(password_.View(), typed_.View());
        wrong_ = !unlocked_;
        typed_.Clear();
    } else if (key == XK_BackSpace) {
        typed_.EraseLastCharacter();
    } else if (key == XK_Escape) {
        typed_.Clear();
    } else if (length > 0 && static_cast<unsigned char>(text[0]) >= 0x20 && text[0] != 0x7f) {
        typed_.Append(std::string_view(text, static_cast<std::size_t>(length)));
    }
    explicit_bzero(text, sizeof text);
    Draw();
}

void ScreenCover::Hold() {
    shown_ = true;
    quickRetriesLeft_ = kQuickRetries;
    // The input first: the program mapped the cover, so it can be held at
    // once, unless the program died before it showed its lock.
    TryHold();
    // Every window mapped or raised over the cover is reported from now on.
    XSelectInput(display_, root_, SubstructureNotifyMask | StructureNotifyMask);
    // While it stood for the program's lock it looked like it.
    XDeleteProperty(display_, window_, XInternAtom(display_, "_NET_WM_WINDOW_OPACITY", False));
    XMapRaised(display_, window_);
    Draw();
    while (!unlocked_) {
        StandBy();
        if (unlocked_)
            break;
        pollfd connection{ConnectionNumber(display_), POLLIN, 0};
        const int wait = held_ ? -1 : quickRetriesLeft_ > 0 ? kQuickRetryMs : kRetryMs;
        if (poll(&connection, 1, wait) >= 0 && !held_)
            TryHold();
    }
}
