// The tray icon, its menu, and the window's trips to and from the tray.
#include <QEvent>
#include <QMenu>
#include <QSystemTrayIcon>
#include <QWindowStateChangeEvent>

#include "ui/shell/TForm1.h"
#include "ui/shell/TForm3.h"
#include "ui/shell/app_icon.h"
#include "ui/shell/app_start.h"
#include "ui/skin/suiPageControl.h"
#include "ui/skin/suiThemeManager.h"

namespace {

QAction* Item(QMenu* menu, const char* name, const QString& caption) {
    QAction* action = menu->addAction(caption);
    action->setObjectName(name);
    return action;
}

QAction* Separator(QMenu* menu, const char* name) {
    QAction* action = menu->addSeparator();
    action->setObjectName(name);
    return action;
}

QMenu* Submenu(QMenu* menu, const char* name, const QString& caption) {
    QMenu* submenu = menu->addMenu(caption);
    submenu->setObjectName(name);
    submenu->menuAction()->setObjectName(name);
    return submenu;
}

} // namespace

void TForm1::BuildTrayIcon() {
    suiPopupMenu1 = new QMenu(this);
    suiPopupMenu1->setObjectName("suiPopupMenu1");
    QMenu* menu = suiPopupMenu1;
    N1 = Item(menu, "N1", "打开主界面");
    N5 = Item(menu, "N5", "我的首页");
    N6 = Item(menu, "N6", "在线听音乐");
    // The texts after the tab only label the global hot keys; a real
    // shortcut here would also fire inside the open menu.
    N7 = Item(menu, "N7", "收藏夹\tAlt+B");
    N9 = Separator(menu, "N9");
    lock_menu = Item(menu, "lock_menu", "锁定电脑\tCtrl+K");
    N4 = Separator(menu, "N4");
    shouye_menu = Item(menu, "shouye_menu", "Tavinor首页");
    sou_menu = Submenu(menu, "sou_menu", "搜索-门户");
    ying_menu = Submenu(menu, "ying_menu", "影视-娱乐");
    you_menu = Submenu(menu, "you_menu", "邮箱-社交");
    cha_menu = Submenu(menu, "cha_menu", "常用查询");
    ku_menu = Submenu(menu, "ku_menu", "酷站轮播");
    ku_menu->menuAction()->setVisible(false);
    mine_menu = Submenu(menu, "mine_menu", "我的网址");
    mine_setting = Item(mine_menu, "mine_setting", "自定义...");
    N11 = Separator(menu, "N11");
    N3 = Item(menu, "N3", "关于");
    N2 = Item(menu, "N2", "退出");
    connect(N1, &QAction::triggered, this, &TForm1::N1Click);
    connect(N5, &QAction::triggered, this, &TForm1::N5Click);
    connect(N6, &QAction::triggered, this, &TForm1::N6Click);
    connect(N7, &QAction::triggered, this, &TForm1::N7Click);
    connect(lock_menu, &QAction::triggered, this, &TForm1::lock_btnClick);
    connect(N3, &QAction::triggered, this, &TForm1::N3Click);
    connect(N2, &QAction::triggered, this, &TForm1::N2Click);
    suiThemeManager1->addControl(suiPopupMenu1);

    TrayIcon1 = new QSystemTrayIcon(AppIcon(), this);
    TrayIcon1->setObjectName("TrayIcon1");
    TrayIcon1->setToolTip(windowTitle());
    TrayIcon1->setContextMenu(suiPopupMenu1);
    connect(TrayIcon1, &QSystemTrayIcon::activated, this,
            [this](QSystemTrayIcon::ActivationReason reason) {
                if (reason == QSystemTrayIcon::DoubleClick)
                    Restore();
            });
    TrayIcon1->show();
}

void TForm1::RestoreToPage(QWidget* page) {
    Restore();
    suiPageControl1->setCurrentWidget(page);
}

void TForm1::N1Click() {
    RestoreToPage(suiTabSheet1);
}

void TForm1::N5Click() {
    RestoreToPage(mineTabSheet);
}

void TForm1::N6Click() {
    RestoreToPage(suiTabSheet2);
}

void TForm1::N7Click() {
    RestoreToPage(guanliTabSheet);
    FocusFavoritesSearch();
}

void TForm1::N2Click() {
    close();
}

// The tray menu works from the first moment: while a start-up notice holds
// the program before the about box exists, the box comes once it does.
void TForm1::N3Click() {
    AfterOtherWindows([] {
        if (Form3)
            Form3->ShowModal();
    });
}

// The desktop's minimise and restore commands take the same roads as the
// title-bar button and the tray, so the window never sits in a taskbar.
void TForm1::changeEvent(QEvent* event) {
    SkinnedWindow::changeEvent(event);
    if (event->type() != QEvent::WindowStateChange)
        return;
    const auto* change = static_cast<QWindowStateChangeEvent*>(event);
    if (isMinimized())
        Minimize();
    else if ((change->oldState() & Qt::WindowMinimized) && (hiddenInTray_ || minimizedWithoutTray_))
        Restore();
}
