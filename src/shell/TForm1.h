#pragma once
// The main window: four pages, the status line, the tray icon, the store.

#include <QString>

#include "remote/remote_settings.h"
#include "shell/skinned_window.h"
#include "store/store.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QSystemTrayIcon;
class TCppWebBrowser;
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
    void Minimize();
    void Restore();
    bool HiddenInTray() const { return hiddenInTray_; }
    void TrayIcon1Restore();
    void HotKey(int id);
    void lock_btnClick();
    void Edit2Change();

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
    QListWidget* ListBox;
    QLabel* fav_num_label;
    QCheckBox* tvrCheckBox;
    QCheckBox* mineCheckBox;
    QSystemTrayIcon* TrayIcon1;

protected:
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BuildPages();
    void BuildFavoritesPage();
    void FitSmallScreen();
    void FormCanResize();
    void UpdateFavoriteCount();
    bool ApplicationEvents1Message(QObject* target, QEvent* event);
    bool closed_ = false;
    bool hiddenInTray_ = false;
};
