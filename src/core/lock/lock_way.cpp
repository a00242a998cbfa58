#include <algorithm>

#include "core/lock/lock_way.h"

LockWay ChooseLockWay(bool waylandSession, const std::vector<std::string>& globals) {
    if (!waylandSession)
        return LockWay::OwnCover;
    const auto offers = [&globals](const char* name) {
        return std::find(globals.begin(), globals.end(), name) != globals.end();
    };
    if (offers(kSessionLockGlobal) || (offers(kLayerShellGlobal) && offers(kInputInhibitGlobal)))
        return LockWay::LockClient;
    return LockWay::DesktopLock;
}
