// The tray's site submenus and quick links, opened with real mouse events on
// the real tray icon.
#include <QMenu>
#include <QProcess>
#include <QPushButton>
#include <QSystemTrayIcon>
#include <QTest>
#include <cstring>

#include "support/browser_recorder.h"
#include "support/waits.h"
#include "ui/main_window_fixture.h"

namespace {

void Xdotool(const QStringList& arguments) {
    QProcess::execute("xdotool", arguments);
}

void MoveAndClick(const QPoint& global, const QString& button) {
    Xdotool({"mousemove", QString::number(global.x()), QString::number(global.y())});
    Linger(150);
    Xdotool({"click", button});
}

class TraySitesTest : public MainWindowFixture {
protected:
    // Opens a submenu of the tray menu the way a person does: hover its entry.
    QMenu* OpenSubmenu(QMenu* submenu) {
        QMenu* menu = form->suiPopupMenu1;
        const QRect entry = menu->actionGeometry(submenu->menuAction());
        const QPoint centre = menu->mapToGlobal(entry.center());
        Xdotool({"mousemove", QString::number(centre.x()), QString::number(centre.y())});
        return WaitFor([&] { return submenu->isVisible(); }, 5000) ? submenu : nullptr;
    }
};

TEST_F(TraySitesTest, SubmenusAfterStartWithoutRemoteSettings) {
    Start();
    EXPECT_EQ(VisibleCaptions(form->sou_menu),
              (QStringList{"百度", "谷歌", "新浪", "腾讯", "网易", "搜狐", "凤凰网"}));
    EXPECT_EQ(VisibleCaptions(form->cha_menu).size(), 10);
    EXPECT_EQ(VisibleCaptions(form->cha_menu).first(), "航班查询");
    EXPECT_EQ(VisibleCaptions(form->ying_menu).size(), 7);
    EXPECT_EQ(VisibleCaptions(form->you_menu).size(), 10);
    EXPECT_EQ(VisibleCaptions(form->you_menu).last(), "天涯社区");
    EXPECT_FALSE(form->ku_menu->menuAction()->isVisible());
    EXPECT_EQ(VisibleCaptions(form->mine_menu), QStringList{"自定义..."});
    EXPECT_EQ(form->sou_menu->actions().size(), 10) << "all run-time entries exist, hidden";
    EXPECT_EQ(form->you_menu->actions().size(), 12);
    EXPECT_EQ(form->mine_menu->actions().size(), 13);
}

TEST_F(TraySitesTest, AClickInTheRealTrayMenuOpensTheSite) {
    Start();
    ASSERT_TRUE(QSystemTrayIcon::isSystemTrayAvailable());
    const QRect icon = form->TrayIcon1->geometry();
    ASSERT_FALSE(icon.isEmpty());
    MoveAndClick(icon.center(), "3");
    ASSERT_TRUE(WaitFor([&] { return form->suiPopupMenu1->isVisible(); }, 5000));
    QMenu* cha = OpenSubmenu(form->cha_menu);
    ASSERT_NE(cha, nullptr);
    QAction* weather = nullptr;
    for (QAction* action : cha->actions())
        if (action->text() == "天气预报")
            weather = action;
    ASSERT_NE(weather, nullptr);
    // Let the submenu settle, then click its entry.
    Linger(300);
    MoveAndClick(cha->mapToGlobal(cha->actionGeometry(weather).center()), "1");
    ASSERT_TRUE(WaitFor([] { return !OpenedAddresses().isEmpty(); }, 5000));
    EXPECT_EQ(OpenedAddresses(), QStringList{server->Url("/tianqi.htm")});
    EXPECT_FALSE(form->isHidden() && !form->HiddenInTray()) << "the window is not involved";
}

TEST_F(TraySitesTest, QuickLinksAndCatalogueChangesFollowTheRefreshes) {
    Start();
    std::strcpy(form->store.quickLinks[0].title, "blanks");
    std::strcpy(form->store.quickLinks[0].url, "   ");
    std::strcpy(form->store.quickLinks[1].title, "mine");
    std::strcpy(form->store.quickLinks[1].url, "http://quick.example/");
    form->RefreshQuickLinkMenu();
    EXPECT_EQ(VisibleCaptions(form->mine_menu), (QStringList{"blanks", "mine", "自定义..."}));

    auto& ku = form->siteCatalogue.Group(SiteGroup::ku);
    ku[3] = Site{"", "http://featured.example/"};
    form->RefreshSiteMenus();
    EXPECT_TRUE(form->ku_menu->menuAction()->isVisible());
    EXPECT_EQ(VisibleCaptions(form->ku_menu), QStringList{""}) << "an empty label still shows";
    ku[3].url = "  ";
    form->RefreshSiteMenus();
    EXPECT_TRUE(form->ku_menu->menuAction()->isVisible()) << "once listed, it stays";
    EXPECT_TRUE(VisibleCaptions(form->ku_menu).isEmpty());

    // Clicks read the address at click time.
    form->siteCatalogue.Group(SiteGroup::sou)[0].url = " http://changed.example/ ";
    form->SiteItemClick(form->sou_menu->actions()[0]);
    form->SiteItemClick(form->mine_menu->actions()[0]);
    form->shouye_menuClick();
    ASSERT_TRUE(WaitFor([] { return OpenedAddresses().size() == 2; }, 5000));
    Linger(300);
    // A blank quick link is listed, but no browser is asked to open blanks.
    EXPECT_EQ(OpenedAddresses(), (QStringList{"http://changed.example/", StartPage()}));
    EXPECT_EQ(form->focusWidget(), static_cast<QWidget*>(form->Button1));
}

} // namespace
