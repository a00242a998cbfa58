// Global hot keys on X11: the key is grabbed on the root window once for
// every NumLock/CapsLock combination, since X matches modifiers exactly. On a
// Wayland session the grab still serves while the program's own windows have
// the focus, and the desktop's shortcuts portal is asked for the rest.
#include <QAbstractNativeEventFilter>
#include <QGuiApplication>
#include <QWidget>
#include <X11/XKBlib.h>
#include <X11/Xlib.h>
#include <map>
#include <xcb/xcb.h>

#include "platform/freedesktop/session.h"
#include "platform/linux/hotkey_dispatch.h"
#include "platform/platform.h"
#include "platform/x11/x11_display.h"

namespace platform {
namespace {

struct Grab {
    unsigned keycode;
    unsigned modifiers;
};

std::map<int, Grab>& Grabs() {
    static std::map<int, Grab> grabs;
    return grabs;
}

std::function<void(int)>& Handler() {
    static std::function<void(int)> handler;
    return handler;
}

constexpr unsigned kIgnoredModifiers[] = {0, LockMask, Mod2Mask, LockMask | Mod2Mask};

class HotKeyFilter : public QAbstractNativeEventFilter {
public:
    bool nativeEventFilter(const QByteArray& type, void* message, qintptr*) override {
        if (type != "xcb_generic_event_t")
            return false;
        auto* event = static_cast<xcb_generic_event_t*>(message);
        if ((event->response_type & 0x7f) != XCB_KEY_PRESS)
            return false;
        auto* key = static_cast<xcb_key_press_event_t*>(message);
        const unsigned state = key->state & ~(LockMask | Mod2Mask);
        for (const auto& [id, grab] : Grabs()) {
            if (grab.keycode == key->detail && grab.modifiers == state) {
                DispatchHotKey(id);
                return true;
            }
        }
        return false;
    }
};

void InstallFilterOnce() {
    static HotKeyFilter* filter = nullptr;
    if (filter == nullptr && qGuiApp) {
        filter = new HotKeyFilter;
        qGuiApp->installNativeEventFilter(filter);
    }
}

unsigned XModifiers(unsigned modifiers) {
    return ((modifiers & kModAlt) ? Mod1Mask : 0u) | ((modifiers & kModControl) ? ControlMask : 0u);
}

bool GrabHotKey(int id, unsigned modifiers, unsigned virtualKey) {
    Display* display = X11Display();
    if (display == nullptr || Grabs().count(id) != 0)
        return false;
    // Virtual-key codes of letters are the upper-case ASCII codes; X names
    // the key by its lower-case keysym.
    const KeySym keysym = XStringToKeysym(std::string(1, char(virtualKey | 0x20)).c_str());
    const KeyCode keycode = XKeysymToKeycode(display, keysym);
    if (keycode == 0)
        return false;
    const Window root = DefaultRootWindow(display);
    const unsigned xModifiers = XModifiers(modifiers);
    ErrorTrap trap(display);
    for (unsigned extra : kIgnoredModifiers)
        XGrabKey(display, keycode, xModifiers | extra, root, True, GrabModeAsync, GrabModeAsync);
    if (trap.Failed()) {
        for (unsigned extra : kIgnoredModifiers)
            XUngrabKey(display, keycode, xModifiers | extra, root);
        XSync(display, False);
        return false;
    }
    Grabs()[id] = Grab{keycode, xModifiers};
    InstallFilterOnce();
    return true;
}

void UngrabHotKey(int id) {
    Display* display = X11Display();
    const auto found = Grabs().find(id);
    if (display == nullptr || found == Grabs().end())
        return;
    const Window root = DefaultRootWindow(display);
    ErrorTrap trap(display);
    for (unsigned extra : kIgnoredModifiers)
        XUngrabKey(display, found->second.keycode, found->second.modifiers | extra, root);
    trap.Failed();
    Grabs().erase(found);
}

} // namespace

void DispatchHotKey(int id) {
    QMetaObject::invokeMethod(
        qGuiApp,
        [id] {
            if (Handler())
                Handler()(id);
        },
        Qt::QueuedConnection);
}

bool RegisterHotKey(QWidget*, int id, unsigned modifiers, unsigned virtualKey,
                    const std::string& description) {
    const bool grabbed = GrabHotKey(id, modifiers, virtualKey);
    if (!IsWaylandSession())
        return grabbed;
    RequestPortalShortcut(id, modifiers, virtualKey, description);
    return true;
}

void UnregisterHotKey(QWidget*, int id) {
    DropPortalShortcut(id);
    UngrabHotKey(id);
}

void SetHotKeyHandler(std::function<void(int)> handler) {
    Handler() = std::move(handler);
}

} // namespace platform
