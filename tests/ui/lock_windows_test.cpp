// The lock window (its refusal to close, its unlock) and the password
// dialog (its two layouts, its checks in order, its limits).
#include <QApplication>
#include <QFile>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QScreen>
#include <QTest>

#include "support/dialogs.h"
#include "support/waits.h"
#include "ui/lock/Tlock_form.h"
#include "ui/lock/Tpwd_form.h"
#include "ui/main_window_fixture.h"
#include "ui/shell/app_start.h"
#include "ui/skin/suiForm.h"

namespace {

class LockWindowsTest : public MainWindowFixture {
protected:
    void SetUp() override {
        MainWindowFixture::SetUp();
        Start();
        Form1 = form.get();
        dialog = std::make_unique<Tpwd_form>();
        lock = std::make_unique<Tlock_form>();
    }
    void TearDown() override {
        lock.reset();
        dialog.reset();
        Form1 = nullptr;
        MainWindowFixture::TearDown();
    }
    // Fills the edits and presses OK; the notice shown, if any.
    QString Attempt(const QString& current, const QString& first, const QString& second) {
        dialog->ori_pwd->setText(current);
        dialog->pwd_edit1->setText(first);
        dialog->pwd_edit2->setText(second);
        ResetAnsweredDialogs();
        const SeenDialog* seen = AnswerNextDialog("OK");
        QTest::mouseClick(dialog->ok_btn, Qt::LeftButton);
        Linger(50);
        const QString text = AnsweredDialogCount() > 0 ? seen->text : QString();
        EXPECT_TRUE(dialog->ori_pwd->text().isEmpty());
        EXPECT_TRUE(dialog->pwd_edit1->text().isEmpty());
        EXPECT_TRUE(dialog->pwd_edit2->text().isEmpty());
        return text;
    }
    void TypeAtLock(const QString& text) {
        lock->pwd->setText(text);
        QTest::keyClick(lock->pwd, Qt::Key_Return);
    }
    std::unique_ptr<Tpwd_form> dialog;
    std::unique_ptr<Tlock_form> lock;
};

// The controls Tab visits, from `first` on.
QList<QWidget*> TabChain(QWidget* first, int count) {
    QList<QWidget*> chain{first};
    for (QWidget* next = first->nextInFocusChain(); chain.size() < count && next != first;
         next = next->nextInFocusChain())
        if ((next->focusPolicy() & Qt::TabFocus) && !next->isHidden())
            chain << next;
    return chain;
}

} // namespace

TEST_F(LockWindowsTest, ChangeModeLayoutAndChecksInOrder) {
    form->SetLockPassword("old");
    dialog->ShowChangeMode();
    ASSERT_TRUE(WaitExposed(dialog.get()));
    EXPECT_EQ(dialog->suiForm1->caption(), "设定密码");
    EXPECT_EQ(dialog->suiForm1->clientArea()->size(), QSize(318, 227));
    EXPECT_TRUE(dialog->ChangeMode());
    EXPECT_EQ(dialog->set_label->text(), "新密码：  ");
    EXPECT_EQ(dialog->set_label->pos(), QPoint(74, 96));
    EXPECT_EQ(dialog->pwd_edit1->pos(), QPoint(130, 92));
    EXPECT_EQ(dialog->pwd_edit2->pos(), QPoint(130, 132));
    EXPECT_EQ(TabChain(dialog->ori_pwd, 5),
              (QList<QWidget*>{dialog->ori_pwd, dialog->pwd_edit1, dialog->pwd_edit2,
                               dialog->ok_btn, dialog->close_btn}));

    EXPECT_EQ(Attempt(" ", "new", "new"), "请输入原密码！");
    EXPECT_EQ(Attempt("x", "", "new"), "请设定密码！");
    EXPECT_EQ(Attempt("x", "new", " "), "请再次输入密码！");
    EXPECT_EQ(Attempt("OLD", "new", "new"), "原密码错误！");
    EXPECT_EQ(Attempt("old", "new", "other"), "两次输入的密码不一致！");
    EXPECT_EQ(form->GetLockPassword(), "old");
    EXPECT_EQ(Attempt(" old ", " 新密码 ", "新密码"), "");
    EXPECT_EQ(form->GetLockPassword(), "新密码");
    EXPECT_FALSE(dialog->isVisible());
    // The new password is in the data file at once, as GBK bytes.
    QFile file(DataFile());
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll().mid(96, 7), QByteArray("\xD0\xC2\xC3\xDC\xC2\xEB\0", 7));
}

TEST_F(LockWindowsTest, SetModeLayoutLimitAndCancel) {
    dialog->SetUpMode(false);
    EXPECT_FALSE(dialog->ChangeMode());
    EXPECT_TRUE(dialog->ori_pwd->isHidden());
    EXPECT_EQ(dialog->set_label->text(), "设定密码：  ");
    EXPECT_EQ(dialog->set_label->pos(), QPoint(61, 72));
    EXPECT_EQ(dialog->pwd_edit1->pos(), QPoint(130, 68));
    EXPECT_EQ(dialog->reset_label->pos(), QPoint(32, 112));
    EXPECT_EQ(dialog->pwd_edit2->pos(), QPoint(130, 108));

    // The entry stops where the field is full: fifteen double-byte
    // characters and one letter are 31 bytes.
    for (const QChar typed : QString(15, QChar(0x5BC6)) + "ab") {
        QKeyEvent key(QEvent::KeyPress, 0, Qt::NoModifier, QString(typed));
        QApplication::sendEvent(dialog->pwd_edit1, &key);
    }
    EXPECT_EQ(dialog->pwd_edit1->text(), QString(15, QChar(0x5BC6)) + "a");

    dialog->pwd_edit2->setText("x");
    dialog->show();
    const QSize size = dialog->size();
    dialog->resize(size + QSize(50, 50));
    EXPECT_EQ(dialog->size(), size);
    QTest::mouseClick(dialog->close_btn, Qt::LeftButton);
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_TRUE(dialog->pwd_edit1->text().isEmpty());
    EXPECT_TRUE(dialog->pwd_edit2->text().isEmpty());
    EXPECT_TRUE(form->GetLockPassword().isEmpty());
}

TEST_F(LockWindowsTest, RefusesToCloseUntilTheRightPasswordEveryTime) {
    form->SetLockPassword("pass word");
    EXPECT_TRUE(lock->pwd_error->isHidden());
    for (int round = 0; round < 2; ++round) {
        form->Minimize();
        lock->show();
        ASSERT_TRUE(WaitExposed(lock.get()));
        EXPECT_TRUE(lock->Engaged());
        EXPECT_TRUE(WaitFor([&] { return lock->InputHeld(); }, 3000));
        EXPECT_FALSE(lock->close());
        EXPECT_TRUE(lock->isVisible());
        // Alt+B through the desktop's shortcuts, which no grab holds back.
        lock_form = lock.get();
        form->HotKey(0);
        lock_form = nullptr;
        EXPECT_TRUE(form->HiddenInTray());

        TypeAtLock("Pass Word");
        EXPECT_TRUE(lock->pwd_error->isVisible());
        EXPECT_TRUE(lock->pwd->text().isEmpty());
        EXPECT_TRUE(lock->isVisible());

        TypeAtLock("  pass word ");
        EXPECT_FALSE(lock->isVisible());
        EXPECT_FALSE(lock->Engaged());
        EXPECT_TRUE(lock->pwd->text().isEmpty());
        EXPECT_TRUE(form->isVisible());
        EXPECT_FALSE(form->HiddenInTray());
    }
}

// Run on a screen of its own (the ctest entry gui_resized_screen): the
// screen is made smaller and larger again while the lock is up.
TEST_F(LockWindowsTest, FollowsAResizedScreen) {
    const QRect before = QGuiApplication::primaryScreen()->geometry();
    // Xvfb's output takes a new mode of that size, and the screen follows it.
    auto resize = [](const QString& mode, const QSize& size) {
        QProcess::execute("xrandr", {"--output", "screen", "--mode", mode, "--fb",
                                     QString("%1x%2").arg(size.width()).arg(size.height())});
    };
    form->SetLockPassword("pass");
    lock->show();
    ASSERT_TRUE(WaitExposed(lock.get()));
    EXPECT_EQ(lock->geometry(), before);

    const QSize smaller = before.size() - QSize(256, 256);
    const int w = smaller.width(), h = smaller.height();
    QProcess::execute("xrandr",
                      {"--newmode", "smaller", "60", QString::number(w), QString::number(w + 24),
                       QString::number(w + 160), QString::number(w + 320), QString::number(h),
                       QString::number(h + 3), QString::number(h + 9), QString::number(h + 38)});
    QProcess::execute("xrandr", {"--addmode", "screen", "smaller"});
    resize("smaller", smaller);
    EXPECT_TRUE(WaitFor(
        [&] {
            return lock->geometry() == QRect({0, 0}, smaller);
        },
        5000))
        << lock->geometry().width() << "x" << lock->geometry().height();
    resize(QString("%1x%2").arg(before.width()).arg(before.height()), before.size());
    EXPECT_TRUE(WaitFor([&] { return lock->geometry() == before; }, 5000));
    EXPECT_TRUE(lock->isVisible());
    TypeAtLock("pass");
    EXPECT_FALSE(lock->Engaged());
}
