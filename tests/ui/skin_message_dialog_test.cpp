// The message dialog component, driven the way a user does: it runs modally,
// and a timer finds it and presses its buttons.
#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>

#include "support/time_factor.h"
#include "ui/skin/suiBuiltInFileTheme.h"
#include "ui/skin/suiForm.h"
#include "ui/skin/suiMessageDialog.h"
#include "ui/skin/suiThemeManager.h"

namespace {

void Press(QDialog* dialog, const char* name) {
    auto* button = dialog->findChild<QPushButton*>(name);
    ASSERT_NE(button, nullptr) << name;
    QTest::mouseClick(button, Qt::LeftButton);
}

QStringList ButtonCaptions(QDialog* dialog) {
    QStringList captions;
    for (QPushButton* button : dialog->findChildren<QPushButton*>())
        captions << button->objectName() + "=" + button->text();
    captions.sort();
    return captions;
}

class SkinMessageDialog : public ::testing::Test {
protected:
    // Nothing waits past the test that asked: `act` may refer to its locals.
    void TearDown() override { delete poll_; }
    // Runs `act` on the modal dialog once it is up; a newer call replaces an
    // older one that found none. A dialog that `act` leaves open is rejected
    // after a few seconds, so a failing test cannot hang the run.
    void WhenDialogShows(std::function<void(QDialog*)> act) {
        delete poll_;
        QTimer* poll = poll_ = new QTimer;
        QElapsedTimer started;
        started.start();
        QObject::connect(poll, &QTimer::timeout, [poll, started, act] {
            auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            if (dialog && dialog->isVisible()) {
                poll->stop();
                poll->deleteLater();
                act(dialog);
                QTimer::singleShot(Stretched(3000), dialog, [dialog] { dialog->reject(); });
            } else if (started.elapsed() > Stretched(5000)) {
                poll->deleteLater();
            }
        });
        poll->start(10);
    }
    QWidget owner;
    suiMessageDialog messageDlg{&owner};
    QPointer<QTimer> poll_;
};

TEST_F(SkinMessageDialog, ReturnsTheResultOfThePressedButton) {
    const struct {
        const char* button;
        int result;
    } cases[] = {{"button1", mrYes}, {"button2", mrNo}, {"button3", mrCancel}};
    for (const auto& pressed : cases) {
        WhenDialogShows([&](QDialog* dialog) { Press(dialog, pressed.button); });
        EXPECT_EQ(messageDlg.ShowModal(), pressed.result) << pressed.button;
    }
    messageDlg.setButtonResult(2, mrOk);
    WhenDialogShows([](QDialog* dialog) { Press(dialog, "button2"); });
    EXPECT_EQ(messageDlg.ShowModal(), mrOk);
}

TEST_F(SkinMessageDialog, ShowsTheConfiguredTextCaptionAndButtons) {
    messageDlg.setCaption(QStringLiteral("Tavinor"));
    messageDlg.setText(QStringLiteral("您还没有生成首页，请在[收藏夹]中生成您的首页！"));
    QStringList shown;
    QString text, title, name;
    WhenDialogShows([&](QDialog* dialog) {
        shown = ButtonCaptions(dialog);
        text = dialog->findChild<QLabel*>("messageText")->text();
        title = dialog->findChild<suiForm*>()->caption();
        name = dialog->objectName();
        Press(dialog, "button1");
    });
    messageDlg.ShowModal();
    EXPECT_EQ(shown, QStringList({"button1=Yes", "button2=No", "button3=Cancel"}));
    EXPECT_EQ(text, messageDlg.text());
    EXPECT_EQ(title, QStringLiteral("Tavinor"));
    EXPECT_EQ(name, QStringLiteral("messageDlg"));

    // Reconfigured after a three-button run: the next run shows only the new button.
    messageDlg.setButtonCount(1);
    messageDlg.setButtonCaption(1, "OK");
    messageDlg.setButtonResult(1, mrOk);
    WhenDialogShows([&](QDialog* dialog) {
        shown = ButtonCaptions(dialog);
        Press(dialog, "button1");
    });
    EXPECT_EQ(messageDlg.ShowModal(), mrOk);
    EXPECT_EQ(shown, QStringList({"button1=OK"}));
}

TEST_F(SkinMessageDialog, OutOfRangeSettingsAreClampedOrIgnored) {
    messageDlg.setButtonCount(7);
    EXPECT_EQ(messageDlg.buttonCount(), 3);
    messageDlg.setButtonCount(0);
    EXPECT_EQ(messageDlg.buttonCount(), 1);
    messageDlg.setButtonCaption(4, "Four");
    messageDlg.setButtonCaption(0, "Zero");
    EXPECT_EQ(messageDlg.buttonCaption(1), "Yes");
    EXPECT_EQ(messageDlg.buttonCaption(4), "");
}

TEST_F(SkinMessageDialog, CloseButtonAndEscapeAnswerCancel) {
    WhenDialogShows([](QDialog* dialog) {
        QTest::mouseClick(dialog->findChild<QAbstractButton*>("closeButton"), Qt::LeftButton);
    });
    EXPECT_EQ(messageDlg.ShowModal(), mrCancel);
    WhenDialogShows([](QDialog* dialog) { QTest::keyClick(dialog, Qt::Key_Escape); });
    EXPECT_EQ(messageDlg.ShowModal(), mrCancel);
}

TEST_F(SkinMessageDialog, IsCentredOnTheScreenAndFitsItsText) {
    messageDlg.setText(QString(60, QChar(0x6587))); // long enough to need wrapping
    QRect geometry;
    bool textFits = false;
    WhenDialogShows([&](QDialog* dialog) {
        geometry = dialog->geometry();
        auto* label = dialog->findChild<QLabel*>("messageText");
        textFits = label->height() >= label->heightForWidth(label->width());
        Press(dialog, "button1");
    });
    messageDlg.ShowModal();
    const QPoint screenCentre = QGuiApplication::primaryScreen()->geometry().center();
    EXPECT_LE((geometry.center() - screenCentre).manhattanLength(), 2);
    EXPECT_LT(geometry.width(), QGuiApplication::primaryScreen()->geometry().width() / 2);
    EXPECT_TRUE(textFits);
}

TEST_F(SkinMessageDialog, UsesTheSkinOfItsThemeManager) {
    suiThemeManager manager;
    manager.addComponent(&messageDlg);
    int frameSkin = 0;
    QString sheet;
    for (int skin : {2, 1}) {
        manager.setFileTheme(&BuiltInTheme(skin));
        WhenDialogShows([&](QDialog* dialog) {
            frameSkin = dialog->findChild<suiForm*>()->theme()->number();
            sheet = dialog->styleSheet();
            Press(dialog, "button1");
        });
        messageDlg.ShowModal();
        EXPECT_EQ(frameSkin, skin);
        EXPECT_EQ(sheet, BuiltInTheme(skin).styleSheet());
    }
}

} // namespace
