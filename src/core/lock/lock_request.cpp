#include "core/lock/lock_request.h"

LockRequestPlan PlanLockRequest(const LockRequestState& state) {
    LockRequestPlan plan;
    if (state.lockShown || state.passwordDialogOpen)
        return plan;
    plan.resetStalePolicy = state.taskMgrPolicy == 1;
    plan.then = state.hasPassword || state.desktopsOwnLock ? LockRequestPlan::Then::ShowLock
                                                           : LockRequestPlan::Then::AskForPassword;
    return plan;
}
