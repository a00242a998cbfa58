// The global hot keys against the real X server: taken when free, refused
// while another client holds the key, not lost to an X error of some
// earlier, unrelated request that arrives while they are being taken, and
// following their letter when the keyboard's layout changes.
#include <QGuiApplication>
#include <QProcess>
#include <gtest/gtest.h>

#include "platform/platform.h"
#include "support/waits.h"

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

// Under Dvorak the letter K lies where V was, and T where K was: Ctrl+K
// still fires the hot key, and Ctrl+T, on the key the grab first took, no
// longer does.
TEST(HotKeys, FollowTheirLetterThroughALayoutChange) {
    int fired = 0;
    platform::SetHotKeyHandler([&fired](int id) { fired += id == kId; });
    ASSERT_TRUE(platform::RegisterHotKey(nullptr, kId, platform::kModControl, 'K'));
    const KeyCode wasK = XKeysymToKeycode(QtDisplay(), XStringToKeysym("k"));
    ASSERT_EQ(QProcess::execute("setxkbmap", {"-layout", "us", "-variant", "dvorak"}), 0);
    Display* fresh = XOpenDisplay(nullptr);
    ASSERT_NE(fresh, nullptr);
    ASSERT_EQ(XKeysymToKeycode(fresh, XStringToKeysym("t")), wasK);
    XCloseDisplay(fresh);

    // The grab moves once the program has heard of the change.
    EXPECT_TRUE(WaitFor([&fired] {
        QProcess::execute("xdotool", {"key", "ctrl+k"});
        return fired > 0;
    }));
    Linger(500); // the presses of the last tries are still on their way
    fired = 0;
    ASSERT_EQ(QProcess::execute("xdotool", {"key", "ctrl+t"}), 0);
    Linger(500);
    EXPECT_EQ(fired, 0);
    platform::UnregisterHotKey(nullptr, kId);
    QProcess::execute("setxkbmap", {"-layout", "us"});
}

} // namespace
