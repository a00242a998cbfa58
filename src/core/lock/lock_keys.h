#pragma once
// Which keys the lock swallows: the shortcuts that would switch away from it.

// Windows virtual-key codes of the keys the rules look at.
constexpr int kVkTab = 9;
constexpr int kVkEscape = 27;
constexpr int kVkSpace = 32;
constexpr int kVkLeftWin = 91;
constexpr int kVkRightWin = 92;
constexpr int kVkF4 = 115;

// True when a press or release of `virtualKey` must not reach anything while
// the lock is engaged: the Windows keys, Ctrl+Esc, Alt+Tab, Alt+F4, Alt+Esc
// and Ctrl+Space, tested in that order. Everything else passes.
bool LockSwallowsKey(int virtualKey, bool ctrlHeld, bool altDown);
