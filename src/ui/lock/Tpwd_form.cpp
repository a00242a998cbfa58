#include <QEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QValidator>

#include "core/lock/lock_password.h"
#include "core/lock/lock_texts.h"
#include "ui/lock/Tpwd_form.h"
#include "ui/shell/TForm1.h"
#include "ui/shell/app_start.h"
#include "ui/skin/suiForm.h"
#include "ui/skin/suiThemeManager.h"
#include "ui/text/caption_name.h"
#include "ui/text/gbk_codec.h"

namespace {

constexpr QSize kClientSize(318, 227);

// A new password is held in a field of 31 bytes, so the entry takes no
// more than fits: a longer one would be cut when stored and then match
// nothing typed at the lock.
class PasswordFieldValidator : public QValidator {
public:
    using QValidator::QValidator;
    State validate(QString& input, int&) const override {
        return FitsLockPassword(ToGbk(input)) ? Acceptable : Invalid;
    }
};

QLabel* Caption(const QString& text, QWidget* parent, const char* name, QPoint place) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    label->move(place);
    return label;
}

QLineEdit* PasswordEdit(QWidget* parent, const char* name, QRect place) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(name);
    edit->setGeometry(place);
    edit->setEchoMode(QLineEdit::Password);
    edit->setStyleSheet("lineedit-password-character: 35;");
    edit->setContextMenuPolicy(Qt::NoContextMenu);
    return edit;
}

} // namespace

Tpwd_form::Tpwd_form(QWidget* parent)
    : SkinnedWindow(QString::fromUtf8(kPasswordDialogCaption), parent) {
    setObjectName("Tpwd_form");
    setWindowFlag(Qt::WindowStaysOnTopHint);
    suiForm1->setObjectName("pwd_form");
    suiForm1->setMinimizeButtonVisible(false);
    suiForm1->setMaximizeButtonVisible(false);
    fixedSize_ =
        kClientSize + QSize(2 * suiForm::BorderWidth, suiForm::TitleHeight + suiForm::BorderWidth);
    setFixedSize(fixedSize_);

    QWidget* client = Client();
    ori_label = Caption(kCurrentPasswordLabel, client, "ori_label", {48, 56});
    ori_pwd = PasswordEdit(client, "ori_pwd", {130, 52, 161, 22});
    set_label = Caption("设定密码：  ", client, "set_label", {61, 96});
    pwd_edit1 = PasswordEdit(client, "pwd_edit1", {130, 92, 161, 22});
    reset_label = Caption(kRepeatPasswordLabel, client, "reset_label", {32, 136});
    pwd_edit2 = PasswordEdit(client, "pwd_edit2", {130, 132, 161, 22});
    for (QLineEdit* edit : {pwd_edit1, pwd_edit2})
        edit->setValidator(new PasswordFieldValidator(edit));
    NameAfterCaption(ori_pwd, ori_label);
    NameAfterCaption(pwd_edit1, set_label);
    NameAfterCaption(pwd_edit2, reset_label);
    pwd_edit2->installEventFilter(this);
    ok_btn = new QPushButton(kPasswordOkText, client);
    ok_btn->setObjectName("ok_btn");
    ok_btn->setGeometry(84, 178, 80, 27);
    close_btn = new QPushButton(kPasswordCancelText, client);
    close_btn->setObjectName("close_btn");
    close_btn->setGeometry(184, 178, 80, 27);
    connect(ok_btn, &QPushButton::clicked, this, &Tpwd_form::ok_btnClick);
    connect(close_btn, &QPushButton::clicked, this, &Tpwd_form::close_btnClick);
    for (QWidget* control : {static_cast<QWidget*>(ori_pwd), static_cast<QWidget*>(pwd_edit1),
                             static_cast<QWidget*>(pwd_edit2), static_cast<QWidget*>(ok_btn),
                             static_cast<QWidget*>(close_btn)})
        suiThemeManager1->addControl(control);
}

bool Tpwd_form::ChangeMode() const {
    return !ori_pwd->isHidden();
}

void Tpwd_form::SetUpMode(bool change) {
    // Above the lock only a window the window manager leaves alone can stand.
    const Qt::WindowFlags flags = change ? windowFlags() | Qt::X11BypassWindowManagerHint
                                         : windowFlags() & ~Qt::X11BypassWindowManagerHint;
    if (flags != windowFlags())
        setWindowFlags(flags);
    ori_label->setVisible(change);
    ori_pwd->setVisible(change);
    set_label->setText(change ? kNewPasswordLabel : "设定密码：  ");
    set_label->adjustSize();
    set_label->move(change ? 74 : 61, change ? 96 : 72);
    pwd_edit1->move(130, change ? 92 : 68);
    reset_label->move(32, change ? 136 : 112);
    pwd_edit2->move(130, change ? 132 : 108);
    if (change)
        setTabOrder(ori_pwd, pwd_edit1);
    setTabOrder(pwd_edit1, pwd_edit2);
    setTabOrder(pwd_edit2, ok_btn);
    setTabOrder(ok_btn, close_btn);
}

void Tpwd_form::ShowSetMode() {
    SetUpMode(false);
    pwd_edit1->setFocus();
    ShowModal();
}

void Tpwd_form::ShowChangeMode() {
    SetUpMode(true);
    const QRect desktop = QGuiApplication::primaryScreen()->geometry();
    move(desktop.center() - rect().center());
    setWindowModality(Qt::NonModal);
    show();
    raise();
    activateWindow();
    ori_pwd->setFocus();
}

void Tpwd_form::ok_btnClick() {
    TForm1* form = Form1;
    const bool change = ChangeMode();
    const PasswordForm entry{change, ToGbk(ori_pwd->text()), ToGbk(pwd_edit1->text()),
                             ToGbk(pwd_edit2->text())};
    const PasswordEntry outcome = CheckPasswordEntry(entry, form->store.header);
    ori_pwd->clear();
    pwd_edit1->clear();
    pwd_edit2->clear();
    if (outcome != PasswordEntry::Accepted) {
        form->ShowMsgDlg(QString::fromUtf8(PasswordEntryNotice(outcome)));
        // Each attempt starts again from the first entry.
        (change ? ori_pwd : pwd_edit1)->setFocus();
        return;
    }
    form->SetLockPassword(FromGbk(entry.first));
    close();
    if (!change) {
        form->Minimize();
        form->EngageSessionLock();
    }
}

void Tpwd_form::pwd_edit2KeyDown(int key) {
    if (key == 13)
        ok_btnClick();
}

void Tpwd_form::close_btnClick() {
    pwd_edit1->clear();
    pwd_edit2->clear();
    close();
}

void Tpwd_form::showEvent(QShowEvent* event) {
    SkinnedWindow::showEvent(event);
    if (!event->spontaneous())
        FormShow();
}

// Staying on top is part of the window's flags here; raising it on show
// puts it above the other topmost windows, the lock included.
void Tpwd_form::FormShow() {
    raise();
}

void Tpwd_form::FormCanResize() {
    setWindowState(windowState() & ~(Qt::WindowMaximized | Qt::WindowFullScreen));
    if (size() != fixedSize_)
        resize(fixedSize_);
}

void Tpwd_form::changeEvent(QEvent* event) {
    SkinnedWindow::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange &&
        (windowState() & (Qt::WindowMaximized | Qt::WindowFullScreen)))
        FormCanResize();
}

void Tpwd_form::resizeEvent(QResizeEvent* event) {
    SkinnedWindow::resizeEvent(event);
    FormCanResize();
}

bool Tpwd_form::eventFilter(QObject* watched, QEvent* event) {
    if (watched == pwd_edit2 && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            pwd_edit2KeyDown(13);
            return true;
        }
    }
    return SkinnedWindow::eventFilter(watched, event);
}
