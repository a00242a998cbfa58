#pragma once
// The main window: four pages, the status line, the tray icon, the store.

#include <QString>

#include <array>
#include <functional>
#include <memory>
#include <vector>

#include "core/favorites/store_exchange.h"
#include "core/menus/site_catalogue.h"
#include "core/music/player_tables.h"
#include "core/remote/remote_settings.h"
#include "core/store/store.h"
#include "ui/favorites/background_work.h"
#include "ui/shell/skinned_window.h"

enum class AddCategoryResult;
struct LoadedBookmarks;
class FavoriteRows;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QAbstractButton;
class QLabel;
class QLineEdit;
class QListWidget;
class QMenu;
class QAction;
class QPushButton;
class QSystemTrayIcon;
class QTimer;
class TCppWebBrowser;
class TNMHTTP;
class netThread;
class suiImageButton;
class suiMessageDialog;
class suiPageControl;

class TForm1 : public SkinnedWindow {
    Q_OBJECT
public:
    // Builds the window and registers the global hot keys.
    explicit TForm1(QWidget* parent = nullptr);
    ~TForm1() override;

    void FormCreate();
    void FormClose();

    // The one-button notice: caption "Tavinor", button "OK".
    void ShowMsgDlg(const QString& text);
    // Asks a yes/no question; true on "Yes".
    bool Confirm(const QString& text);

    void LoadStore();
    // Tells the user of a failed save (result -1), unless this run was told
    // at start that its changes are not saved; `notice` replaces the usual text.
    void ReportSave(int result, const QString& notice = {});
    void Minimize();
    void StartInTray();
    void Restore();
    bool HiddenInTray() const { return hiddenInTray_; }
    void TrayIcon1Restore();
    void HotKey(int id);
    // The desktop's answer on binding the hot keys: unbound, the user is told
    // once how to bind the program's commands instead.
    void HotKeysBound(bool bound);
    void lock_btnClick();
    // Locks the desktop the way this session allows, once a password exists.
    void EngageSessionLock();
    // The lock password, trimmed; it reaches the data file at once.
    void SetLockPassword(const QString& text);
    QString GetLockPassword() const;
    void Edit2Change();
    // Lays out every page; runs on each size change of the window.
    void FormCanResize();
    // Runs the entry steps of the page that has just become active.
    void suiPageControl1Change();
    void FormShow();
    void ApplySkin();
    void fresh_btnClick();
    void ie_btnClick();
    void skin_btnClick();
    void N1Click();
    void N5Click();
    void N6Click();
    void N7Click();
    void N2Click();
    void N3Click();
    // The browser panes' events.
    void CppWebBrowser1StatusTextChange(const QString& text);
    void CppWebBrowser1NewWindow2(TCppWebBrowser** target, bool* cancel);
    void CppWebBrowser2BeforeNavigate2(const QString& url, bool* cancel);
    void CppWebBrowser1NavigateError(const QString& url, int statusCode);
    void CppWebBrowser3NavigateError(const QString& url, int statusCode);

    // The data file and the per-run remote values.
    Store store;
    RemoteSettings remote;

    QPushButton* Button1;
    suiPageControl* suiPageControl1;
    QWidget* suiTabSheet1;
    QWidget* mineTabSheet;
    QWidget* suiTabSheet2;
    QWidget* guanliTabSheet;
    TCppWebBrowser* CppWebBrowser1;
    TCppWebBrowser* mineWebBrowser;
    TCppWebBrowser* CppWebBrowser3;
    TCppWebBrowser* CppWebBrowser2;
    QLabel* Label6;
    QLabel* mok_label;
    QLineEdit* Edit2;
    suiMessageDialog* messageDlg;
    // The favorites page.
    QListWidget* ListBox;
    // Typing here lists the matching favorites of all categories instead of
    // the selected category's.
    QLineEdit* favSearchEdit;
    FavoriteRows* ScrollBox;
    QCheckBox* selectAllCheckBox;
    QPushButton* delFavButton;
    QPushButton* delCatButton;
    QAbstractButton* upImgBtn;
    QAbstractButton* downImgBtn;
    QLabel* fav_num_label;
    QWidget* setting_panel;
    QGroupBox* addGroupBox;
    QLineEdit* url_edit;
    QLineEdit* title_edit;
    QPushButton* addURL_button;
    QLineEdit* fenlei_edit;
    QPushButton* addFenlei_button;
    QGroupBox* setGroupBox;
    QCheckBox* tvrCheckBox;
    QCheckBox* mineCheckBox;
    QPushButton* clearBtn;
    QLabel* dc_label;
    QPushButton* generateBtn;
    QPushButton* IEBtn;
    QPushButton* outBtn;
    QPushButton* inBtn;

    void ListBoxClick();
    void favSearchEditChange();
    // Alt+B and `tavinor --favorites` land here: an empty search field with
    // the focus.
    void FocusFavoritesSearch();
    void addURL_buttonClick();
    void addFenlei_buttonClick();
    void delCatButtonClick();
    void selectAllCheckBoxClick();
    void delFavButtonClick();
    void upImgBtnClick();
    void downImgBtnClick();
    void clearBtnClick();
    void generateBtnClick();
    void tvrCheckBoxClick();
    void mineCheckBoxClick();
    // Export, import and the browser favorites import.
    void outBtnClick();
    void inBtnClick();
    void IEBtnClick();
    // The listed favorites as the settings window reads them.
    int ListedFavoriteCount() const;
    void GetListedFavorite(int index, QString& caption, QString& url) const;
    QSystemTrayIcon* TrayIcon1;
    // The tab strip.
    suiImageButton* fresh_btn;
    suiImageButton* ie_btn;
    suiImageButton* skin_btn;
    suiImageButton* lock_btn;
    // The music page: the player pane masked by four strips, the user's
    // players to choose from, and the players recommended for this run.
    QLabel* Edit7;
    QComboBox* music_cbox;
    QLabel* player_caption;
    QLabel* music_setting;
    QLineEdit* up;
    QLineEdit* left;
    QLineEdit* right;
    QLineEdit* bottom;
    QLabel* bg_img;
    std::array<PlayerSlot, kPlayerSlotCount> recommendedPlayers = BuiltInRecommendedPlayers();
    bool playerPageLoaded = false;
    void RefreshPlayerList();
    void music_cboxChange();
    void upEnter();
    void music_settingClick();
    void CppWebBrowser3DocumentComplete(const QString& url);
    // Loads the player of `slot` into the pane (web addresses only).
    void PlayPlayerSlot(int slot);
    // The built-in sites behind the tray submenus, for this run.
    SiteCatalogue siteCatalogue;
    void BuildSiteMenus();
    void RefreshSiteMenus();
    void RefreshQuickLinkMenu();
    void SiteItemClick(QAction* sender);
    void shouye_menuClick();
    void mine_settingClick();

    // The product site's logo and settings: fetched at start, retried by
    // Timer1 until the settings arrive. Tests shorten remoteTimeOut and
    // Timer1's interval before FormCreate.
    netThread* netThread1 = nullptr;
    TNMHTTP* NMHTTP1;
    TNMHTTP* NMHTTP2;
    QTimer* Timer1;
    int remoteTimeOut = 10000;
    void FetchRemoteFiles();
    void NMHTTP1Success();
    void NMHTTP1Failure();
    void NMHTTP2Success();
    void NMHTTP2Failure();
    void Timer1Timer();
    void Edit7Click();

    // The tray menu, in its order.
    QMenu* suiPopupMenu1;
    QAction* N1;
    QAction* N5;
    QAction* N6;
    QAction* N7;
    QAction* N9;
    QAction* lock_menu;
    QAction* N4;
    QAction* shouye_menu;
    QMenu* sou_menu;
    QMenu* ying_menu;
    QMenu* you_menu;
    QMenu* cha_menu;
    QMenu* ku_menu;
    QMenu* mine_menu;
    QAction* mine_setting;
    QAction* N11;
    QAction* N3;
    QAction* N2;

    void setVisible(bool visible) override;

protected:
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The lock request's steps, once the lock's windows exist.
    void LockRequest();
    bool StartLockClient();
    void LockDesktop();
    bool desktopLockExplained_ = false;
    bool desktopLockPending_ = false;
    void BuildPages();
    void BuildFavoritesPage();
    void BuildAddGroup();
    void BuildSetGroup();
    // Up, Down, Enter and Escape in the search field; true when taken.
    bool FavoriteSearchKey(int key);
    void ListCategories();
    void MoveCategory(int direction);
    void ShowCategoryRefusal(AddCategoryResult result);
    // Export and import: the file dialogs, bookmarks added through the
    // categories, and the page shown again from an imported data file.
    QString AskExportFile(bool& html);
    QString AskImportFile();
    void StartDataFileImport(const QString& chosen);
    void ReportDataFileImport(ImportOutcome outcome);
    // Bookmarks are read off the window thread and added a slice at a time.
    void StartBookmarkImport(std::function<LoadedBookmarks()> load);
    void ImportBookmarkSlice();
    struct BookmarkImportRun;
    std::shared_ptr<BookmarkImportRun> bookmarkImport;
    void ReloadAfterImport();
    void PlaceOnScreen();
    void BuildTabStrip();
    void BuildTrayIcon();
    void SetUpPanes();
    // The music page's own layout and entry steps plug in here.
    void BuildMusicPage();
    void MusicPageLayout();
    void MusicPageEntry();
    // Brings the window back from the tray, then shows `page`.
    void RestoreToPage(QWidget* page);
    void UpdateFavoriteCount();
    bool ApplicationEvents1Message(QObject* target, QEvent* event);
    void BuildRemote();
    void StartNetThread();
    void RequestSettings();
    void CloseRemote();
    bool fetchRunning_ = false;
    bool closed_ = false;
    // The data file could not be written at start; the user has been told.
    bool storeReadOnly_ = false;
    // The run-time tray entries: per site group by position, and the quick links.
    std::array<std::vector<QAction*>, 5> siteEntries_;
    std::array<QAction*, kQuickLinkCount> quickLinkEntries_{};
    bool hiddenInTray_ = false;
    // On a desktop without a tray the window is minimised instead of hidden;
    // the toolkit docks the icon once a tray appears.
    bool minimizedWithoutTray_ = false;

public:
    // The start page, the personal page and the window's surfaces give back
    // their memory once the window has been away this long; tests shorten it.
    int hiddenDiscardDelayMs = 60 * 1000;

private:
    void StartHiddenDiscard();
    void DiscardHiddenPanes();
    void ReleaseWindowSurfaces();
    QTimer* hiddenDiscardTimer_ = nullptr;
    // Asks for the surface the engine's views draw through.
    QWidget* engineSurface_ = nullptr;

    // Last, so its threads are joined before anything they may touch goes.
    BackgroundWork background_;
};
