#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSystemTrayIcon>
#include <QTimer>

#include "core/shell/documents_path.h"
#include "core/shell/screen_fit.h"
#include "core/shell/site_address.h"
#include "platform/platform.h"
#include "ui/favorites/FavoriteRows.h"
#include "ui/lock/Tlock_form.h"
#include "ui/shell/TCppWebBrowser.h"
#include "ui/shell/TForm1.h"
#include "ui/shell/app_icon.h"
#include "ui/shell/app_start.h"
#include "ui/skin/suiForm.h"
#include "ui/skin/suiMessageDialog.h"
#include "ui/skin/suiPageControl.h"
#include "ui/skin/suiThemeManager.h"
#include "ui/text/gbk_codec.h"

namespace {
const QString kCaption = QStringLiteral("Tavinor—轻松上网，快乐生活");
const QString kNetworkNotice = QStringLiteral("请检查您的网络是否正常！");
constexpr int kHotKeyFavorites = 0;
constexpr int kHotKeyLock = 1;
// Whether the user has been told how to bind the commands: kept beside the
// other per-user values, so it outlives the run and the data file's format.
const char kNoticesKey[] = "Software\\Tavinor";
const char kUnboundKeysTold[] = "UnboundHotKeysTold";
const QString kUnboundKeysText =
    QStringLiteral("这个桌面没有为本程序绑定全局快捷键 Alt+B 和 Ctrl+K。\n"
                   "请在桌面的快捷键设置中为下面两个命令设定按键：\n"
                   "    tavinor --favorites    收藏夹（Alt+B）\n"
                   "    tavinor --lock    锁定电脑（Ctrl+K）\n"
                   "sway：在 ~/.config/sway/config 中加入 bindsym 行，然后 swaymsg reload；\n"
                   "GNOME：设置 → 键盘 → 查看及自定义快捷键 → 自定义快捷键；\n"
                   "KDE Plasma：系统设置 → 快捷键 → 添加新项 → 命令或脚本。");
// The window as drawn, title bar inside: the smallest that large screens allow,
// so it comes up at that size.
constexpr QSize kDesignSize(1080, 800);
} // namespace

TForm1::TForm1(QWidget* parent)
    : SkinnedWindow(kCaption, parent), remote(DefaultRemoteSettings(ProductSiteRoot())) {
    setObjectName("TForm1");
    setWindowIcon(AppIcon());
    resize(kDesignSize);
    BuildPages();
    BuildTabStrip();
    SetUpPanes();
    connect(suiPageControl1, &QTabWidget::currentChanged, this, &TForm1::suiPageControl1Change);
    connect(suiForm1, &suiForm::minimizeRequested, this, &TForm1::Minimize);
    BuildTrayIcon();
    BuildRemote();
    platform::StartSessionLockProbe();

    platform::SetHotKeyHandler([this](int id) { HotKey(id); });
    platform::OnHotKeysBound([this](bool bound) { HotKeysBound(bound); });
    if (!platform::RegisterHotKey(this, kHotKeyFavorites, platform::kModAlt, 'B', "收藏夹"))
        qWarning("Alt+B could not be taken: another program holds it.");
    if (!platform::RegisterHotKey(this, kHotKeyLock, platform::kModControl, 'K', "锁定电脑"))
        qWarning("Ctrl+K could not be taken: another program holds it.");
}

TForm1::~TForm1() {
    qApp->removeEventFilter(this);
    platform::SetHotKeyHandler(nullptr);
    platform::OnHotKeysBound(nullptr);
}

void TForm1::BuildPages() {
    QWidget* client = Client();
    Button1 = new QPushButton(client);
    Button1->setObjectName("Button1");
    Button1->setGeometry(0, 0, 0, 0);
    // Where the focus rests after a button's work; a reader names the window.
    Button1->setAccessibleName("Tavinor");

    suiPageControl1 = new suiPageControl(client);
    suiPageControl1->setObjectName("suiPageControl1");
    suiTabSheet1 = new QWidget;
    mineTabSheet = new QWidget;
    suiTabSheet2 = new QWidget;
    guanliTabSheet = new QWidget;
    suiPageControl1->addTab(suiTabSheet1, "Tavinor首页" + QString(11, ' '));
    suiPageControl1->addTab(mineTabSheet, "我的首页" + QString(15, ' '));
    suiPageControl1->addTab(suiTabSheet2, "在线听音乐" + QString(11, ' '));
    suiPageControl1->addTab(guanliTabSheet, "收藏夹" + QString(18, ' '));

    Label6 = new QLabel(kNetworkNotice + "      ", suiTabSheet1);
    Label6->setStyleSheet("color: red;");
    Label6->move(16, 16);
    CppWebBrowser1 = new TCppWebBrowser(suiTabSheet1);
    CppWebBrowser1->setObjectName("CppWebBrowser1");
    mineWebBrowser = new TCppWebBrowser(mineTabSheet);
    mineWebBrowser->setObjectName("mineWebBrowser");
    mok_label = new QLabel(kNetworkNotice + "      ", suiTabSheet2);
    mok_label->setStyleSheet("color: red;");
    mok_label->move(24, 8);
    mok_label->hide();
    CppWebBrowser3 = new TCppWebBrowser(suiTabSheet2);
    CppWebBrowser3->setObjectName("CppWebBrowser3");
    CppWebBrowser2 = new TCppWebBrowser(suiTabSheet2);
    CppWebBrowser2->setObjectName("CppWebBrowser2");
    CppWebBrowser2->setGeometry(0, 0, 1, 1);
    BuildMusicPage();
    BuildFavoritesPage();
    // The pages get their size from the page control after it has been
    // placed, so the panes follow the pages' own size changes.
    for (QWidget* page : {suiTabSheet1, mineTabSheet, suiTabSheet2, guanliTabSheet})
        page->installEventFilter(this);

    // The status line lies over the pages but belongs to the window itself.
    Edit2 = new QLineEdit(this);
    Edit2->setAccessibleName("状态栏");
    Edit2->setObjectName("Edit2");
    Edit2->setFrame(false);
    Edit2->setReadOnly(true);
    Edit2->resize(425, 18);
    Edit2->setStyleSheet("background: rgb(201, 223, 254); border: none;");
    Edit2->hide();
    connect(Edit2, &QLineEdit::textChanged, this, &TForm1::Edit2Change);

    messageDlg = new suiMessageDialog(this);
    suiThemeManager1->addControl(suiPageControl1);
    suiThemeManager1->addComponent(messageDlg);
}

void TForm1::FormCreate() {
    try {
        LoadStore();
        const QString startPage = FromGbk(remote.startPageUrl, sizeof remote.startPageUrl);
        if (store.header.openSitePageOnStart == 1) {
            StartInTray();
            platform::OpenInSystemBrowser(startPage.toStdString());
        } else if (store.header.openMinePageOnStart == 1) {
            const std::string mine = DocumentsFilePath(platform::DocumentsDirectory(), "mine.htm");
            if (QFileInfo::exists(QString::fromStdString(mine))) {
                platform::OpenInSystemBrowser(mine);
                StartInTray();
            } else {
                ShowMsgDlg("您的首页不存在，请在[收藏夹]中生成您的首页！");
            }
        }
        CppWebBrowser1->Navigate(startPage);
        ListBox->setCurrentRow(0);
        StartNetThread();
        PlaceOnScreen();
        qApp->installEventFilter(this);
        Edit2->setVisible(!Edit2->text().isEmpty());
    } catch (...) {
        Edit2->setText(kNetworkNotice);
    }
}

void TForm1::PlaceOnScreen() {
    const platform::ScreenSize screen = platform::PrimaryScreenSize();
    const ScreenFit fit = FitToScreen(screen.width, screen.height, width(), height());
    setMinimumSize(fit.minimumWidth, fit.minimumHeight);
    suiForm1->setMinimumSize(fit.minimumWidth, fit.minimumHeight);
    setGeometry(fit.left, fit.top, fit.width, fit.height);
}

void TForm1::FormClose() {
    for (TCppWebBrowser* pane : {CppWebBrowser1, CppWebBrowser3, CppWebBrowser2})
        if (pane->Busy())
            pane->Stop();
    CloseRemote();
    ReportSave(SaveStore(store, store.record, false));
    platform::UnregisterHotKey(this, kHotKeyFavorites);
    platform::UnregisterHotKey(this, kHotKeyLock);
}

void TForm1::closeEvent(QCloseEvent* event) {
    if (!closed_) {
        closed_ = true;
        FormClose();
        TrayIcon1->hide();
    }
    event->accept();
    QApplication::quit();
}

void TForm1::ShowMsgDlg(const QString& text) {
    messageDlg->setCaption("Tavinor");
    messageDlg->setText(text);
    messageDlg->setButtonCount(1);
    messageDlg->setButtonCaption(1, "OK");
    messageDlg->ShowModal();
}

bool TForm1::Confirm(const QString& text) {
    messageDlg->setCaption("请确认");
    messageDlg->setText(text);
    messageDlg->setButtonCount(2);
    messageDlg->setButtonCaption(1, "Yes");
    messageDlg->setButtonResult(1, mrYes);
    messageDlg->setButtonCaption(2, "No");
    messageDlg->setButtonResult(2, mrNo);
    return messageDlg->ShowModal() == mrYes;
}

void TForm1::Edit2Change() {
    Edit2->setVisible(!Edit2->text().isEmpty());
}

void TForm1::Minimize() {
    // Without a tray to come back from, hiding would strand the window.
    if (!QSystemTrayIcon::isSystemTrayAvailable()) {
        minimizedWithoutTray_ = true;
        setWindowState(windowState() | Qt::WindowMinimized);
    } else {
        hiddenInTray_ = true;
        hide();
        StartHiddenDiscard();
    }
}

// The window exists from the start, as after a shown start, only unmapped;
// it is not marked minimised: a window manager told so iconifies the window
// again the moment a second start brings it back.
void TForm1::StartInTray() {
    Minimize();
    create();
}

void TForm1::Restore() {
    hiddenInTray_ = false;
    minimizedWithoutTray_ = false;
    if (hiddenDiscardTimer_)
        hiddenDiscardTimer_->stop();
    // Before the show, so that a start page given back in the tray is not
    // first brought back as it was left.
    TrayIcon1Restore();
    setWindowState(windowState() & ~Qt::WindowMinimized);
    show();
    raise();
    activateWindow();
}

void TForm1::TrayIcon1Restore() {
    // The start page is asked for again at every return, as a reload does.
    CppWebBrowser1->Navigate(FromGbk(remote.startPageUrl, sizeof remote.startPageUrl), true);
}

// The desktop's own shortcuts reach the program even while it is locked,
// and nothing may bring the main window above the lock.
void TForm1::HotKey(int id) {
    if (id == kHotKeyFavorites && !(lock_form && lock_form->Engaged()))
        N7Click();
    else if (id == kHotKeyLock)
        lock_btnClick();
}

// Told once, not at every start; keys bound again make a later loss worth telling.
void TForm1::HotKeysBound(bool bound) {
    const bool told = platform::ReadUserPolicy(kNoticesKey, kUnboundKeysTold) == 1;
    if (bound || told) {
        if (bound && told)
            platform::WriteUserPolicy(kNoticesKey, kUnboundKeysTold, 0);
        return;
    }
    platform::WriteUserPolicy(kNoticesKey, kUnboundKeysTold, 1);
    ShowMsgDlg(kUnboundKeysText);
}

void TForm1::resizeEvent(QResizeEvent* event) {
    SkinnedWindow::resizeEvent(event);
    FormCanResize();
}

bool TForm1::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Resize &&
        suiPageControl1->indexOf(qobject_cast<QWidget*>(watched)) >= 0)
        FormCanResize();
    if (watched == favSearchEdit && event->type() == QEvent::KeyPress &&
        FavoriteSearchKey(static_cast<QKeyEvent*>(event)->key()))
        return true;
    if (watched == favSearchEdit && event->type() == QEvent::FocusIn)
        ScrollBox->PrepareSearch();
    return ApplicationEvents1Message(watched, event) || SkinnedWindow::eventFilter(watched, event);
}
