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
    LockRequestState state;
    state.lockShown = lock_form->isVisible();
    state.passwordDialogOpen = pwd_form->isVisible();
    state.taskMgrPolicy = state.lockShown ? 0 : lock_form->ReadTaskMgrPolicy();
    state.hasPassword = !GetLockPassword().isEmpty();
    const LockRequestPlan plan = PlanLockRequest(state);
    if (plan.resetStalePolicy) {
        lock_form->EngageLock();
        lock_form->ReleaseLock();
    }
    if (plan.then == LockRequestPlan::Then::ShowLock)
        lock_form->show();
    else if (plan.then == LockRequestPlan::Then::AskForPassword)
        pwd_form->ShowSetMode();
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
