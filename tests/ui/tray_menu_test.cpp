// The tray icon with a real tray host: the menu, and the window's trips to
// and from the tray.
#include <QApplication>
#include <QMenu>
#include <QSystemTrayIcon>
#include <QTest>
#include <QWindow>
#include <chrono>
#include <future>

#include "platform/platform.h"
#include "support/dialogs.h"
#include "support/temp_dir.h"
#include "support/waits.h"
#include "ui/main_window_fixture.h"
#include "ui/shell/TCppWebBrowser.h"
#include "ui/shell/app_start.h"
#include "ui/skin/suiForm.h"
#include "ui/skin/suiPageControl.h"

namespace {

class TrayMenuTest : public MainWindowFixture {
protected:
    void ExpectInTray() {
        EXPECT_TRUE(form->HiddenInTray());
        EXPECT_FALSE(form->isVisible());
        // A withdrawn X window has no taskbar entry; only the icon remains.
        EXPECT_FALSE(form->windowHandle() && form->windowHandle()->isVisible());
        EXPECT_TRUE(form->TrayIcon1->isVisible());
    }
};

TEST_F(TrayMenuTest, MenuHoldsTheFixedItemsInOrder) {
    Start();
    ASSERT_TRUE(QSystemTrayIcon::isSystemTrayAvailable());
    EXPECT_TRUE(form->TrayIcon1->isVisible());
    EXPECT_EQ(form->TrayIcon1->toolTip(), "Tavinor—轻松上网，快乐生活");
    EXPECT_EQ(form->TrayIcon1->contextMenu(), form->suiPopupMenu1);

    QStringList items;
    for (QAction* action : form->suiPopupMenu1->actions())
        items << action->objectName() + "|" + (action->isSeparator() ? "-" : action->text()) +
                     (action->isVisible() ? "" : "|hidden");
    EXPECT_EQ(items,
              (QStringList{"N1|打开主界面", "N5|我的首页", "N6|在线听音乐", "N7|收藏夹\tAlt+B",
                           "N9|-", "lock_menu|锁定电脑\tCtrl+K", "N4|-", "shouye_menu|Tavinor首页",
                           "sou_menu|搜索-门户", "ying_menu|影视-娱乐", "you_menu|邮箱-社交",
                           "cha_menu|常用查询", "ku_menu|酷站轮播|hidden", "mine_menu|我的网址",
                           "N11|-", "N3|关于", "N2|退出"}));
    EXPECT_EQ(form->mine_menu->actions().last(), form->mine_setting);
    EXPECT_EQ(form->mine_setting->text(), "自定义...");
}

TEST_F(TrayMenuTest, RightClickOnTheIconOpensTheMenuAtTheCursor) {
    Start();
    QWidget* icon = TrayIconWindow();
    ASSERT_NE(icon, nullptr);
    QTest::mouseClick(icon, Qt::RightButton, {}, icon->rect().center());
    ASSERT_TRUE(WaitFor([&] { return form->suiPopupMenu1->isVisible(); }, 3000));
    EXPECT_TRUE(form->suiPopupMenu1->geometry()
                    .adjusted(-30, -30, 30, 30)
                    .contains(icon->mapToGlobal(icon->rect().center())))
        << "near the cursor, kept on the screen";
    form->suiPopupMenu1->hide();
}

TEST_F(TrayMenuTest, TitleBarMinimiseHidesAndADoubleClickOnTheIconRestores) {
    Start();
    ASSERT_TRUE(ShowsAddress(form->CppWebBrowser1, StartPage()));
    form->CppWebBrowser1->Navigate(server->Url("/ok.html"));
    ASSERT_TRUE(ShowsAddress(form->CppWebBrowser1, server->Url("/ok.html")));

    QTest::mouseClick(form->suiForm1->findChild<QWidget*>("minimizeButton"), Qt::LeftButton);
    ExpectInTray();

    // The icon's own window on the tray host gets a real double click.
    QWidget* icon = TrayIconWindow();
    ASSERT_NE(icon, nullptr);
    QTest::mouseDClick(icon, Qt::LeftButton, {}, icon->rect().center());
    EXPECT_FALSE(form->HiddenInTray());
    EXPECT_TRUE(form->isVisible());
    EXPECT_TRUE(ShowsAddress(form->CppWebBrowser1, StartPage()));
}

TEST_F(TrayMenuTest, SystemMinimiseAlsoGoesToTheTray) {
    Start();
    // What the desktop delivers when it minimises the window.
    form->setWindowState(Qt::WindowMinimized);
    ExpectInTray();
    form->N1->trigger();
    EXPECT_TRUE(form->isVisible());
    EXPECT_FALSE(form->isMinimized());
}

TEST_F(TrayMenuTest, PageItemsRestoreAndReloadTheStartPageEvenWhenShown) {
    Start();
    for (QAction* item : {form->N1, form->N6}) {
        form->CppWebBrowser1->Navigate(server->Url("/ok.html"));
        ASSERT_TRUE(ShowsAddress(form->CppWebBrowser1, server->Url("/ok.html")));
        if (item == form->N6)
            AnswerNextDialog("OK"); // no players yet
        item->trigger();
        EXPECT_TRUE(ShowsAddress(form->CppWebBrowser1, StartPage()));
    }
    EXPECT_EQ(form->suiPageControl1->currentWidget(), form->suiTabSheet2);

    form->Minimize();
    form->N7->trigger();
    EXPECT_TRUE(form->isVisible());
    EXPECT_EQ(form->suiPageControl1->currentWidget(), form->guanliTabSheet);

    // The personal page without mine.htm explains and moves on to the favorites.
    const SeenDialog* notice = AnswerNextDialog("OK");
    form->N5->trigger();
    EXPECT_EQ(notice->text, "您还没有生成首页，请在[收藏夹]中生成您的首页！");
    EXPECT_EQ(form->suiPageControl1->currentWidget(), form->guanliTabSheet);
}

// What `tavinor --favorites` sends, over the socket a second start uses.
TEST_F(TrayMenuTest, FavoritesRequestOfASecondStartShowsTheFavoritesPage) {
    Start();
    Form1 = form.get();
    ASSERT_NE(platform::AcquireInstanceLock(), platform::InstanceLock::Failed);
    platform::OnInstanceRequest(TakeStartRequest);
    form->Minimize();
    ExpectInTray();
    // The second start waits for the answer, which this thread's loop gives.
    std::future<platform::InstanceAnswer> answer =
        std::async(std::launch::async, platform::AskRunningInstance, StartAction::Favorites);
    ASSERT_TRUE(WaitFor(
        [&] { return answer.wait_for(std::chrono::seconds(0)) == std::future_status::ready; },
        5000));
    EXPECT_EQ(answer.get(), platform::InstanceAnswer::Taken);
    EXPECT_TRUE(WaitFor([&] { return form->isVisible(); }, 5000));
    EXPECT_EQ(form->suiPageControl1->currentWidget(), form->guanliTabSheet);
    Form1 = nullptr;
}

TEST_F(TrayMenuTest, ExitClosesTheWindowAndWritesTheHeader) {
    Start();
    form->store.header.skinChoice = 1;
    form->N2->trigger();
    EXPECT_FALSE(form->isVisible());
    EXPECT_FALSE(form->TrayIcon1->isVisible());
    EXPECT_EQ(ReadBytes(DataFile().toStdString())[31], 1);
}

} // namespace
