// Global hot keys on X11: the key is grabbed on the root window once for
// every NumLock/CapsLock combination, since X matches modifiers exactly.
#include <QAbstractNativeEventFilter>
#include <QGuiApplication>
#include <QWidget>
#include <X11/XKBlib.h>
#include <X11/Xlib.h>
#include <map>
#include <xcb/xcb.h>

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
                // The handler may open a modal dialog; its event loop must not
                // run inside the reading of this X event.
                QMetaObject::invokeMethod(
                    qGuiApp,
                    [id = id] {
                        if (Handler())
                            Handler()(id);
                    },
                    Qt::QueuedConnection);
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

} // namespace

bool RegisterHotKey(QWidget*, int id, unsigned modifiers, unsigned virtualKey) {
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

void UnregisterHotKey(QWidget*, int id) {
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

void SetHotKeyHandler(std::function<void(int)> handler) {
    Handler() = std::move(handler);
}

} // namespace platform
