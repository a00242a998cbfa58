// The main window's part of the computer lock: the lock request and the password.
#include "core/lock/lock_password.h"
#include "core/lock/lock_request.h"
#include "platform/platform.h"
#include "ui/lock/Tlock_form.h"
#include "ui/lock/Tpwd_form.h"
#include "ui/shell/TForm1.h"
#include "ui/shell/app_start.h"
#include "ui/text/gbk_codec.h"

// A request in the moment before the lock's windows exist waits for them.
void TForm1::lock_btnClick() {
    AfterOtherWindows([this] { LockRequest(); });
}

void TForm1::LockRequest() {
    if (lock_form == nullptr || pwd_form == nullptr)
        return;
    const LockWay way = platform::SessionLockWay();
    LockRequestState state;
    state.lockShown =
        lock_form->isVisible() || platform::LockClientRunning() || desktopLockPending_;
    state.passwordDialogOpen = pwd_form->isVisible();
    // The policy value and the panels belong to the lock window's way only.
    state.taskMgrPolicy =
        state.lockShown || way != LockWay::OwnCover ? 0 : lock_form->ReadTaskMgrPolicy();
    state.hasPassword = !GetLockPassword().isEmpty();
    state.desktopsOwnLock = way == LockWay::DesktopLock;
    const LockRequestPlan plan = PlanLockRequest(state);
    if (plan.resetStalePolicy) {
        lock_form->EngageLock();
        lock_form->ReleaseLock();
    }
    if (plan.then == LockRequestPlan::Then::ShowLock)
        EngageSessionLock();
    else if (plan.then == LockRequestPlan::Then::AskForPassword)
        pwd_form->ShowSetMode();
}

void TForm1::EngageSessionLock() {
    switch (platform::SessionLockWay()) {
    case LockWay::OwnCover:
        lock_form->show();
        lock_form->raise();
        lock_form->activateWindow();
        return;
    case LockWay::LockClient:
        if (StartLockClient())
            return;
        qWarning("The lock client could not be started; the desktop is asked to lock.");
        [[fallthrough]];
    case LockWay::DesktopLock:
        LockDesktop();
        return;
    }
}

// The client draws the lock and its change of password; the program shows
// its window after the unlock and keeps a new password in the data file.
// Once the desktop was locked the client is replaced whenever it dies, so
// only a client that never locked hands over to the desktop's own lock.
bool TForm1::StartLockClient() {
    platform::LockClientEvents events;
    events.unlocked = [this] { Restore(); };
    events.passwordSet = [this](const std::string& password) {
        SetLockPassword(QString::fromStdString(password));
    };
    events.failed = [this] {
        qWarning("The lock client could not lock; the desktop is asked to lock.");
        LockDesktop();
    };
    events.ended = [] {
        qWarning("The compositor ended the lock; another locker has the desktop.");
    };
    return platform::StartLockClient(GetLockPassword().toStdString(), std::move(events));
}

// Said once per run: from then on the user knows which password opens it.
// The desktop takes a moment to say it is locked; meanwhile another
// request does nothing.
void TForm1::LockDesktop() {
    if (desktopLockPending_)
        return;
    desktopLockPending_ = true;
    platform::AskDesktopToLock([this](bool locked) {
        desktopLockPending_ = false;
        if (!locked) {
            qWarning("Neither the screen saver nor logind locked the desktop.");
            ShowMsgDlg("这个桌面不允许本程序锁定屏幕，也没有响应锁屏请求。电脑没有锁定。");
            return;
        }
        if (desktopLockExplained_)
            return;
        desktopLockExplained_ = true;
        ShowMsgDlg("这个桌面用它自己的锁屏锁定电脑：解锁时请输入您的登录密码，而不是本程序的锁屏"
                   "密码。");
    });
}

// The data file holds the password, so a new one is written at once rather
// than at the next save: a kill before then would bring back the old one.
void TForm1::SetLockPassword(const QString& text) {
    ::SetLockPassword(store.header, ToGbk(text));
    if (lock_form != nullptr && lock_form->Engaged())
        platform::SetLockGuardPassword(GetLockPassword().toStdString());
    if (!store.path.empty() && SaveStore(store, store.record, false) != 0)
        ShowMsgDlg("无法写入数据文件，新密码只在本次运行中有效。");
}

QString TForm1::GetLockPassword() const {
    return FromGbk(::GetLockPassword(store.header));
}
