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
    KeySym keysym;
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

// The key that types `keysym` in the server's keyboard map as it is now.
// Xlib's own lookup answers from a copy of the map that is not renewed when
// the events that announce a change go to Qt, so the map is asked for anew.
KeyCode CurrentKeycode(Display* display, KeySym keysym) {
    int first = 0;
    int last = 0;
    XDisplayKeycodes(display, &first, &last);
    int perKey = 0;
    KeySym* map =
        XGetKeyboardMapping(display, static_cast<KeyCode>(first), last - first + 1, &perKey);
    if (map == nullptr)
        return 0;
    KeyCode found = 0;
    // The unshifted symbol of a key first: that is where the letter is typed.
    for (int column = 0; column < perKey && found == 0; ++column)
        for (int key = 0; key <= last - first && found == 0; ++key)
            if (map[key * perKey + column] == keysym)
                found = static_cast<KeyCode>(first + key);
    XFree(map);
    return found;
}

bool TakeKey(Display* display, KeyCode keycode, unsigned xModifiers) {
    const Window root = DefaultRootWindow(display);
    ErrorTrap trap(display);
    for (unsigned extra : kIgnoredModifiers)
        XGrabKey(display, keycode, xModifiers | extra, root, True, GrabModeAsync, GrabModeAsync);
    if (!trap.Failed())
        return true;
    for (unsigned extra : kIgnoredModifiers)
        XUngrabKey(display, keycode, xModifiers | extra, root);
    XSync(display, False);
    return false;
}

void ReleaseKey(Display* display, const Grab& grab) {
    const Window root = DefaultRootWindow(display);
    ErrorTrap trap(display);
    for (unsigned extra : kIgnoredModifiers)
        XUngrabKey(display, grab.keycode, grab.modifiers | extra, root);
    trap.Failed();
}

// After a change of the keyboard's layout the keys are named by their
// symbols again: the old keys are let go and the ones that now type the
// symbols are taken.
void FollowKeyboardMap() {
    Display* display = X11Display();
    if (display == nullptr)
        return;
    for (auto& [id, grab] : Grabs()) {
        const KeyCode keycode = CurrentKeycode(display, grab.keysym);
        if (keycode == grab.keycode)
            continue;
        ReleaseKey(display, grab);
        grab.keycode = keycode != 0 && TakeKey(display, keycode, grab.modifiers) ? keycode : 0;
        if (grab.keycode == 0)
            qWarning("A hot key could not be taken again after a change of keyboard layout.");
    }
}

// XKB's first event number; -1 without the extension.
int XkbEventBase(Display* display) {
    int opcode = 0;
    int eventBase = -1;
    int errorBase = 0;
    int major = XkbMajorVersion;
    int minor = XkbMinorVersion;
    if (!XkbQueryExtension(display, &opcode, &eventBase, &errorBase, &major, &minor))
        return -1;
    return eventBase;
}

class HotKeyFilter : public QAbstractNativeEventFilter {
public:
    explicit HotKeyFilter(int xkbEventBase) : xkbEventBase_(xkbEventBase) {}

    bool nativeEventFilter(const QByteArray& type, void* message, qintptr*) override {
        if (type != "xcb_generic_event_t")
            return false;
        auto* event = static_cast<xcb_generic_event_t*>(message);
        const int kind = event->response_type & 0x7f;
        if (kind == XCB_MAPPING_NOTIFY ||
            (xkbEventBase_ >= 0 && kind == xkbEventBase_ && KeyboardMapChanged(event->pad0))) {
            // Qt renews its own view of the map from the same event first.
            QMetaObject::invokeMethod(qGuiApp, FollowKeyboardMap, Qt::QueuedConnection);
            return false;
        }
        if (kind != XCB_KEY_PRESS)
            return false;
        auto* key = static_cast<xcb_key_press_event_t*>(message);
        const unsigned state = key->state & ~(LockMask | Mod2Mask);
        for (const auto& [id, grab] : Grabs()) {
            if (grab.keycode != 0 && grab.keycode == key->detail && grab.modifiers == state) {
                DispatchHotKey(id);
                return true;
            }
        }
        return false;
    }

private:
    // The XKB event's own kind stands in the byte after the response type.
    static bool KeyboardMapChanged(uint8_t xkbKind) {
        return xkbKind == XkbNewKeyboardNotify || xkbKind == XkbMapNotify;
    }
    int xkbEventBase_;
};

void InstallFilterOnce(Display* display) {
    static HotKeyFilter* filter = nullptr;
    if (filter == nullptr && qGuiApp) {
        filter = new HotKeyFilter(XkbEventBase(display));
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
    const KeyCode keycode = CurrentKeycode(display, keysym);
    const unsigned xModifiers = XModifiers(modifiers);
    if (keycode == 0 || !TakeKey(display, keycode, xModifiers))
        return false;
    Grabs()[id] = Grab{keysym, keycode, xModifiers};
    InstallFilterOnce(display);
    return true;
}

void UngrabHotKey(int id) {
    Display* display = X11Display();
    const auto found = Grabs().find(id);
    if (display == nullptr || found == Grabs().end())
        return;
    if (found->second.keycode != 0)
        ReleaseKey(display, found->second);
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
