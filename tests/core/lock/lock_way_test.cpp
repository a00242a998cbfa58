#include <gtest/gtest.h>

#include "core/lock/lock_way.h"

TEST(LockWay, OnlyAProtocolThatHoldsTheKeyboardMakesALockClient) {
    const std::vector<std::string> sway17{"wl_compositor", kLayerShellGlobal, kInputInhibitGlobal};
    EXPECT_EQ(ChooseLockWay(false, sway17), LockWay::OwnCover);
    EXPECT_EQ(ChooseLockWay(true, sway17), LockWay::LockClient);
    EXPECT_EQ(ChooseLockWay(true, {kSessionLockGlobal}), LockWay::LockClient);
    // Overlay surfaces alone would only look locked.
    EXPECT_EQ(ChooseLockWay(true, {"wl_compositor", kLayerShellGlobal}), LockWay::DesktopLock);
    EXPECT_EQ(ChooseLockWay(true, {}), LockWay::DesktopLock);
}
