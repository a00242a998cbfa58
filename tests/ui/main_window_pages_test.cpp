// The main window's pages, their layout, the tab-strip buttons and the skins.
#include <QCheckBox>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

#include "support/browser_recorder.h"
#include "support/dialogs.h"
#include "support/temp_dir.h"
#include "support/waits.h"
#include "ui/favorites/FavoriteRows.h"
#include "ui/lock/Tpwd_form.h"
#include "ui/main_window_fixture.h"
#include "ui/music/Tsetting_form.h"
#include "ui/shell/TCppWebBrowser.h"
#include "ui/shell/TForm3.h"
#include "ui/shell/app_start.h"
#include "ui/skin/suiBuiltInFileTheme.h"
#include "ui/skin/suiForm.h"
#include "ui/skin/suiImageButton.h"
#include "ui/skin/suiPageControl.h"
#include "ui/skin/suiThemeManager.h"

namespace {

class MainWindowPagesTest : public MainWindowFixture {
protected:
    // Shows `page`, resizes the window and waits until the page has followed.
    void ResizeOn(QWidget* page, QSize size) {
        form->suiPageControl1->setCurrentWidget(page);
        form->resize(size);
        QWidget* client = form->suiForm1->clientArea();
        ASSERT_TRUE(WaitFor(
            [&] {
                return page->width() > client->width() - 10 &&
                       form->ListBox->height() == page->height() - 70;
            },
            5000));
    }
    int W() const { return form->suiForm1->clientArea()->width(); }
    QRect InPage(QWidget* control) const {
        return QRect(control->mapTo(form->guanliTabSheet, QPoint(0, 0)), control->size());
    }
};

TEST_F(MainWindowPagesTest, LayoutFollowsTwoWindowSizes) {
    Start();
    for (QSize size : {QSize(1100, 820), QSize(1240, 900)}) {
        ResizeOn(form->suiTabSheet1, size);
        ASSERT_EQ(form->size(), size);
        QWidget* client = form->suiForm1->clientArea();
        // The tab strip starts right under the title bar and fills the frame.
        EXPECT_EQ(form->suiPageControl1->geometry(), client->rect());
        EXPECT_EQ(form->fresh_btn->x(), 2);
        EXPECT_EQ(form->ie_btn->x(), W() - 160);
        EXPECT_EQ(form->lock_btn->geometry().right() + 1, form->suiPageControl1->width() - 3);
        EXPECT_EQ(form->skin_btn->x(), form->lock_btn->x() - 25);
        EXPECT_EQ(form->Edit2->pos(), QPoint(6, form->suiForm1->height() - 22))
            << "22 pixels above the frame's bottom edge as drawn";
        EXPECT_EQ(form->Button1->height(), 0);
        EXPECT_EQ(form->CppWebBrowser1->size(), form->suiTabSheet1->size());

        AnswerNextDialog("OK"); // no players yet
        ResizeOn(form->suiTabSheet2, size);
        const int sheetTop = form->suiTabSheet2->mapTo(form->suiPageControl1, QPoint(0, 0)).y();
        // A new file names player 1, whose slot is still empty: nothing to show.
        EXPECT_EQ(form->CppWebBrowser3->geometry(), QRect(W() / 2, sheetTop + 40, 0, 0));
        EXPECT_EQ(form->CppWebBrowser2->size(), QSize(1, 1));

        ResizeOn(form->guanliTabSheet, size);
        // The favorites page: list, its buttons below, the search field above the
        // rows, settings on the right.
        const QRect list = InPage(form->ListBox);
        EXPECT_EQ(list.left(), 12);
        EXPECT_EQ(InPage(form->delCatButton).top(), list.bottom() + 1 + 6);
        EXPECT_EQ(InPage(form->delCatButton).right(), list.right());
        EXPECT_EQ(InPage(form->upImgBtn).topLeft(), QPoint(12, list.bottom() + 1 + 4));
        EXPECT_EQ(InPage(form->favSearchEdit), QRect(181, 16, W() - 530, 22));
        EXPECT_EQ(InPage(form->ScrollBox), QRect(181, 44, W() - 530, list.height() - 28));
        EXPECT_EQ(InPage(form->delFavButton).right(), InPage(form->ScrollBox).right());
        EXPECT_EQ(InPage(form->selectAllCheckBox).right() + 1 + 11,
                  InPage(form->delFavButton).left());
        EXPECT_EQ(InPage(form->setting_panel).left(), W() - 341);
        EXPECT_EQ(InPage(form->setGroupBox).bottom(), list.bottom()) << "they end on one line";
    }
}

TEST_F(MainWindowPagesTest, PersonalPageLoadsTheFileOnEveryEntryOrPointsToTheFavorites) {
    Start();
    const SeenDialog* notice = AnswerNextDialog("OK");
    form->suiPageControl1->setCurrentWidget(form->mineTabSheet);
    EXPECT_EQ(notice->text, "您还没有生成首页，请在[收藏夹]中生成您的首页！");
    EXPECT_EQ(form->suiPageControl1->currentWidget(), form->guanliTabSheet);

    WriteBytes(MinePage().toStdString(), "<html><body>mine</body></html>");
    QSignalSpy loads(form->mineWebBrowser, &TCppWebBrowser::DocumentComplete);
    for (int entry = 1; entry <= 2; ++entry) {
        form->suiPageControl1->setCurrentWidget(form->mineTabSheet);
        ASSERT_TRUE(WaitFor([&] { return loads.count() == entry; }, 20000));
        form->suiPageControl1->setCurrentWidget(form->mineTabSheet); // already there: no load
        form->suiPageControl1->setCurrentWidget(form->suiTabSheet1);
    }
    Linger(300);
    EXPECT_EQ(loads.count(), 2);
    EXPECT_EQ(AnsweredDialogCount(), 1);
}

TEST_F(MainWindowPagesTest, RefreshShowsTheHiddenPaneAgainAndReloads) {
    Start();
    form->CppWebBrowser1->hide();
    form->CppWebBrowser1->Navigate(server->Url("/ok.html"));
    ASSERT_TRUE(ShowsAddress(form->CppWebBrowser1, server->Url("/ok.html")));
    QTest::mouseClick(form->fresh_btn, Qt::LeftButton);
    EXPECT_TRUE(form->CppWebBrowser1->isVisible());
    EXPECT_TRUE(ShowsAddress(form->CppWebBrowser1, StartPage()));
    EXPECT_EQ(form->focusWidget(), form->Button1);

    // The music page reloads the current player.
    PlayerSlot& slot = form->store.header.players[1];
    const QByteArray player = server->Url("/ok.html?player=2").toLatin1();
    qstrncpy(slot.url, player.constData(), sizeof slot.url);
    form->store.header.playerChoice = 2;
    AnswerNextDialog("OK"); // the list was filled before the player was put in
    form->suiPageControl1->setCurrentWidget(form->suiTabSheet2);
    form->CppWebBrowser3->hide();
    form->mok_label->show();
    QTest::mouseClick(form->fresh_btn, Qt::LeftButton);
    EXPECT_TRUE(form->CppWebBrowser3->isVisible());
    EXPECT_FALSE(form->mok_label->isVisible());
    EXPECT_TRUE(ShowsAddress(form->CppWebBrowser3, server->Url("/ok.html?player=2")));
}

TEST_F(MainWindowPagesTest, BrowserButtonOpensTheStartPageAndHidesToTheTray) {
    Start();
    QTest::mouseClick(form->ie_btn, Qt::LeftButton);
    EXPECT_TRUE(form->HiddenInTray());
    EXPECT_FALSE(form->isVisible());
    ASSERT_TRUE(WaitFor([] { return !OpenedAddresses().isEmpty(); }, 5000));
    EXPECT_EQ(OpenedAddresses(), QStringList{StartPage()});
}

class SkinTest : public MainWindowPagesTest {
protected:
    void SetUp() override {
        MainWindowPagesTest::SetUp();
        Form3 = new TForm3;
        pwd_form = new Tpwd_form;
        setting_form = new Tsetting_form;
    }
    void TearDown() override {
        MainWindowPagesTest::TearDown();
        delete Form3;
        delete pwd_form;
        delete setting_form;
        Form3 = nullptr;
        pwd_form = nullptr;
        setting_form = nullptr;
    }
    // Every skinned window shows skin `number`, the tab strip at its offsets.
    void ExpectSkin(int number) {
        for (SkinnedWindow* window :
             std::initializer_list<SkinnedWindow*>{form.get(), Form3, pwd_form, setting_form})
            EXPECT_EQ(window->suiThemeManager1->fileTheme(), &BuiltInTheme(number))
                << window->objectName().toStdString();
        EXPECT_EQ(form->suiForm1->theme(), &BuiltInTheme(number));
        EXPECT_EQ(form->suiPopupMenu1->styleSheet(), BuiltInTheme(number).styleSheet());
        const int stripTop = form->suiPageControl1->mapTo(form.get(), QPoint(0, 0)).y();
        EXPECT_EQ(stripTop, number == 1 ? 25 : 30) << "counted from the frame's top";
        EXPECT_EQ(form->lock_btn->y(), number == 1 ? 1 : -2);
        EXPECT_EQ(form->fresh_btn->y(), number == 1 ? 3 : 0);
    }
};

TEST_F(SkinTest, SwitchingTwiceComesBackAndIsSavedOnlyAtClose) {
    Start();
    ExpectSkin(1);
    QTest::mouseClick(form->skin_btn, Qt::LeftButton);
    EXPECT_EQ(form->store.header.skinChoice, 1);
    ExpectSkin(2);
    EXPECT_EQ(ReadBytes(DataFile().toStdString())[31], 0) << "not saved by the switch";
    QTest::mouseClick(form->skin_btn, Qt::LeftButton);
    EXPECT_EQ(form->store.header.skinChoice, 0);
    ExpectSkin(1);

    // The next size change puts the page control back under the title bar.
    form->resize(form->size() + QSize(10, 10));
    EXPECT_EQ(form->suiPageControl1->mapTo(form.get(), QPoint(0, 0)).y(), 26);

    QTest::mouseClick(form->skin_btn, Qt::LeftButton);
    form->close();
    EXPECT_EQ(ReadBytes(DataFile().toStdString())[31], 1);
}

TEST_F(SkinTest, EveryReturnFromTheTrayAppliesTheChosenSkin) {
    Start();
    form->Minimize();
    form->store.header.skinChoice = 5; // as an import of favorites may leave it
    form->Restore();
    ExpectSkin(2);
}

TEST_F(SkinTest, ChoiceTwoFromTheFileShowsSkinTwoAndStaysThereAfterOneSwitch) {
    PrepareDataFile({{31, 2}});
    Start();
    ExpectSkin(2);
    QTest::mouseClick(form->skin_btn, Qt::LeftButton);
    EXPECT_EQ(form->store.header.skinChoice, 1);
    ExpectSkin(2);
}

} // namespace
