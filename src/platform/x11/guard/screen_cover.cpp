#include <X11/Xlib.h>
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

constexpr int kQuickRetries = 10; // about a second at kQuickRetryMs
constexpr int kQuickRetryMs = 100;
constexpr int kRetryMs = 1000;
constexpr const char* kTitle = "tavinor-lock-guard";
constexpr const char* kPrompt = "The screen is locked. Type the password, then press Enter.";
constexpr const char* kWrong = "Wrong password.";
constexpr const char* kNotHeld = "The keyboard and mouse could not be locked yet; other programs "
                                 "can still use them. Retrying...";

struct Area {
    int x, y, width, height;
};

std::vector<Area> Monitors(Display* display, const Area& whole) {
    std::vector<Area> monitors;
    int count = 0;
    if (XineramaIsActive(display)) {
        if (XineramaScreenInfo* screens = XineramaQueryScreens(display, &count)) {
            for (int i = 0; i < count; ++i)
                monitors.push_back(
                    {screens[i].x_org, screens[i].y_org, screens[i].width, screens[i].height});
            XFree(screens);
        }
    }
    if (monitors.empty())
        monitors.push_back(whole);
    return monitors;
}

unsigned long Colour(Display* display, const char* name, unsigned long fallback) {
    XColor exact;
    XColor shown;
    return XAllocNamedColor(display, DefaultColormap(display, DefaultScreen(display)), name, &shown,
                            &exact)
               ? shown.pixel
               : fallback;
}

class Cover {
public:
    Cover(Display* display, const LockedText& password);
    ~Cover();
    void Run();

private:
    Area RootArea() const;
    void Draw();
    void DrawCentred(const Area& monitor, int y, const char* text, unsigned long colour);
    void TryHold();
    void RaiseIfCovered();
    // True once the right password was typed.
    bool Key(XKeyEvent& event);

    Display* display_;
    const LockedText& password_;
    Window root_;
    Window window_;
    GC gc_;
    XFontStruct* font_;
    XIM inputMethod_ = nullptr;
    XIC inputContext_ = nullptr;
    unsigned long white_, red_;
    LockedText typed_;
    bool wrong_ = false;
    bool held_ = false;
    int quickRetriesLeft_ = kQuickRetries;
};

Cover::Cover(Display* display, const LockedText& password)
    : display_(display), password_(password), root_(DefaultRootWindow(display)) {
    const int screen = DefaultScreen(display);
    white_ = WhitePixel(display, screen);
    red_ = Colour(display, "red", white_);
    const Area area = RootArea();
    XSetWindowAttributes attributes{};
    attributes.override_redirect = True;
    attributes.background_pixel = BlackPixel(display, screen);
    attributes.event_mask =
        ExposureMask | KeyPressMask | ButtonPressMask | VisibilityChangeMask | StructureNotifyMask;
    window_ = XCreateWindow(display, root_, area.x, area.y, area.width, area.height, 0,
                            CopyFromParent, InputOutput, CopyFromParent,
                            CWOverrideRedirect | CWBackPixel | CWEventMask, &attributes);
    XStoreName(display, window_, kTitle);
    // Every window mapped or raised over the cover, and every change of the
    // root's size (a monitor plugged in), is reported here.
    XSelectInput(display, root_, SubstructureNotifyMask | StructureNotifyMask);
    font_ = XLoadQueryFont(display, "-misc-fixed-bold-r-normal--18-*-*-*-*-*-iso10646-1");
    if (font_ == nullptr)
        font_ = XLoadQueryFont(display, "fixed");
    gc_ = XCreateGC(display, window_, 0, nullptr);
    if (font_ != nullptr)
        XSetFont(display, gc_, font_->fid);
    // An input method turns keys into UTF-8, the password's encoding.
    inputMethod_ = XOpenIM(display, nullptr, nullptr, nullptr);
    if (inputMethod_ != nullptr)
        inputContext_ = XCreateIC(inputMethod_, XNInputStyle, XIMPreeditNothing | XIMStatusNothing,
                                  XNClientWindow, window_, XNFocusWindow, window_, nullptr);
    XMapRaised(display, window_);
    XSync(display, False);
}

Cover::~Cover() {
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
    XSync(display_, False);
}

Area Cover::RootArea() const {
    XWindowAttributes attributes;
    XGetWindowAttributes(display_, root_, &attributes);
    return {0, 0, attributes.width, attributes.height};
}

// Taken at once when it can be; else retried quickly for about a second
// (another program's open menu holds a grab for a moment), then every
// second until it is held.
void Cover::TryHold() {
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

void Cover::RaiseIfCovered() {
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

void Cover::DrawCentred(const Area& monitor, int y, const char* text, unsigned long colour) {
    const int length = static_cast<int>(std::strlen(text));
    const int width = font_ != nullptr ? XTextWidth(font_, text, length) : length * 9;
    XSetForeground(display_, gc_, colour);
    XDrawString(display_, window_, gc_, monitor.x + (monitor.width - width) / 2, y, text, length);
}

void Cover::Draw() {
    XClearWindow(display_, window_);
    const int lineHeight = font_ != nullptr ? font_->ascent + font_->descent + 12 : 30;
    // Dots, one for each typed character, never the characters.
    int characters = 0;
    for (const char byte : typed_.View())
        characters += (static_cast<unsigned char>(byte) & 0xC0) != 0x80;
    for (const Area& monitor : Monitors(display_, RootArea())) {
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

bool Cover::Key(XKeyEvent& event) {
    char text[64];
    KeySym key = NoSymbol;
    Status status = 0;
    const int length =
        inputContext_ != nullptr
            ? Xutf8LookupString(inputContext_, &event, text, sizeof text, &key, &status)
            : XLookupString(&event, text, sizeof text, &key, nullptr);
    bool unlocked = false;
    if (key == XK_Return || key == XK_KP_Enter) {
        unlocked = PasswordMatches(password_.View(), typed_.View());
        wrong_ = !unlocked;
        typed_.Clear();
    } else if (key == XK_BackSpace) {
        typed_.EraseLastCharacter();
    } else if (key == XK_Escape) {
        typed_.Clear();
    } else if (length > 0 && static_cast<unsigned char>(text[0]) >= 0x20 && text[0] != 0x7f) {
        typed_.Append(std::string_view(text, static_cast<std::size_t>(length)));
    }
    explicit_bzero(text, sizeof text);
    if (!unlocked)
        Draw();
    return unlocked;
}

void Cover::Run() {
    TryHold();
    for (;;) {
        while (XPending(display_) > 0) {
            XEvent event;
            XNextEvent(display_, &event);
            if (XFilterEvent(&event, None))
                continue;
            switch (event.type) {
            case Expose:
                if (event.xexpose.count == 0)
                    Draw();
                break;
            case KeyPress:
                if (Key(event.xkey))
                    return;
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
        pollfd connection{ConnectionNumber(display_), POLLIN, 0};
        const int wait = held_ ? -1 : quickRetriesLeft_ > 0 ? kQuickRetryMs : kRetryMs;
        if (poll(&connection, 1, wait) >= 0 && !held_)
            TryHold();
    }
}

} // namespace

bool HoldScreenUntil(const LockedText& password) {
    // The user's input method, so that a password in Chinese can be typed too.
    setlocale(LC_CTYPE, "");
    XSetLocaleModifiers("");
    Display* display = XOpenDisplay(nullptr);
    if (display == nullptr)
        return false;
    {
        Cover cover(display, password);
        cover.Run();
    }
    XCloseDisplay(display);
    return true;
}
