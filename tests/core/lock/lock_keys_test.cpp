#include <gtest/gtest.h>

#include "core/lock/lock_keys.h"

namespace {
constexpr int kVkK = 'K';
constexpr int kVkA = 'A';
} // namespace

TEST(LockKeys, SwallowsTheSwitchingShortcuts) {
    EXPECT_TRUE(LockSwallowsKey(kVkLeftWin, false, false));
    EXPECT_TRUE(LockSwallowsKey(kVkRightWin, true, true));
    EXPECT_TRUE(LockSwallowsKey(kVkEscape, true, false));
    EXPECT_TRUE(LockSwallowsKey(kVkTab, false, true));
    EXPECT_TRUE(LockSwallowsKey(kVkF4, false, true));
    EXPECT_TRUE(LockSwallowsKey(kVkEscape, false, true));
    EXPECT_TRUE(LockSwallowsKey(kVkSpace, true, false));
    // Ctrl+Alt combinations are caught by whichever rule comes first.
    EXPECT_TRUE(LockSwallowsKey(kVkTab, true, true));
}

TEST(LockKeys, PassesTypingAndTheOtherCombinations) {
    EXPECT_FALSE(LockSwallowsKey(kVkSpace, false, true)); // Alt+Space
    EXPECT_FALSE(LockSwallowsKey(kVkK, true, false));     // Ctrl+K
    EXPECT_FALSE(LockSwallowsKey(kVkEscape, false, false));
    EXPECT_FALSE(LockSwallowsKey(kVkTab, true, false)); // Ctrl+Tab
    EXPECT_FALSE(LockSwallowsKey(kVkF4, true, false));  // Ctrl+F4
    EXPECT_FALSE(LockSwallowsKey(kVkSpace, false, false));
    EXPECT_FALSE(LockSwallowsKey(kVkA, false, false));
}
