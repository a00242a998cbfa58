#pragma once
// What a lock request does, from the state it finds.

// The per-user policy value the lock sets while engaged.
constexpr char kTaskMgrPolicyKey[] =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\System";
constexpr char kTaskMgrPolicyName[] = "DisableTaskMgr";

struct LockRequestState {
    bool lockShown = false;          // the lock is already up
    bool passwordDialogOpen = false; // the first password is being asked for
    unsigned taskMgrPolicy = 0;      // the policy value as read, 0 when missing
    bool hasPassword = false;
    // The desktop locks itself and its login password opens it: the
    // program's password plays no part.
    bool desktopsOwnLock = false;
};

struct LockRequestPlan {
    // A 1 left by a lock that was never undone: engage and release once,
    // which shows the panels again and resets the value.
    bool resetStalePolicy = false;
    enum class Then { Nothing, ShowLock, AskForPassword } then = Then::Nothing;
};

// A request while the lock is up or its first password is being asked for
// does nothing, so it can neither take a second grab nor undo the first.
LockRequestPlan PlanLockRequest(const LockRequestState& state);
