#include "core/lock/lock_keys.h"

bool LockSwallowsKey(int virtualKey, bool ctrlHeld, bool altDown) {
    if (virtualKey == kVkLeftWin || virtualKey == kVkRightWin)
        return true;
    if (virtualKey == kVkEscape && ctrlHeld)
        return true;
    if (virtualKey == kVkTab && altDown)
        return true;
    if (virtualKey == kVkF4 && altDown)
        return true;
    if (virtualKey == kVkEscape && altDown)
        return true;
    return virtualKey == kVkSpace && ctrlHeld;
}
