// The global hot keys against the real X server: taken when free, refused
// while another client holds the key, and not lost to an X error of some
// earlier, unrelated request that arrives while they are being taken.
#include <QGuiApplication>
#include <gtest/gtest.h>

#include "platform/platform.h"

// Last: its macros (None, Bool) clash with names in the headers above.
#include <X11/Xlib.h>

namespace {

constexpr int kId = 901;

Display* QtDisplay() {
    return qGuiApp->nativeInterface<QNativeInterface::QX11Application>()->display();
}

TEST(HotKeys, TakenWhenFreeRefusedWhileHeldElsewhereDespiteUnrelatedErrors) {
    // A request of the program's own connection that fails, not yet answered
    // (the key map is fetched first, so that nothing reads the answer before
    // the hot key is taken).
    XKeysymToKeycode(QtDisplay(), XStringToKeysym("j"));
    XUnmapWindow(QtDisplay(), 0x1fffffff);
    ASSERT_TRUE(platform::RegisterHotKey(nullptr, kId, platform::kModControl, 'J'));
    platform::UnregisterHotKey(nullptr, kId);

    Display* other = XOpenDisplay(nullptr);
    ASSERT_NE(other, nullptr);
    const KeyCode j = XKeysymToKeycode(other, XStringToKeysym("j"));
    XGrabKey(other, j, ControlMask, DefaultRootWindow(other), True, GrabModeAsync, GrabModeAsync);
    XSync(other, False);
    EXPECT_FALSE(platform::RegisterHotKey(nullptr, kId, platform::kModControl, 'J'));
    XCloseDisplay(other);
    // Once the other client is gone the key is free again; nothing of the
    // refused attempt was left behind.
    XSync(QtDisplay(), False);
    EXPECT_TRUE(platform::RegisterHotKey(nullptr, kId, platform::kModControl, 'J'));
    platform::UnregisterHotKey(nullptr, kId);
}

} // namespace
