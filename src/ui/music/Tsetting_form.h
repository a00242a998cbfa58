#pragma once
// The settings window: quick links and music players. It edits the store of
// the main window and, when it closes, brings the tray's quick links and the
// music page's player list up to date.

#include <string>

#include "ui/shell/skinned_window.h"

class QComboBox;
class QKeyEvent;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class suiPageControl;

class Tsetting_form : public SkinnedWindow {
    Q_OBJECT
public:
    explicit Tsetting_form(QWidget* parent = nullptr);
    // Show the window modally on one of its sheets.
    void ShowQuickLinks();
    void ShowPlayers();

    void FormShow();
    void cal_cboxChange();
    void addURL_buttonClick();
    void del_quickClick();
    void m_cboxChange();
    void m_addbtnClick();
    void m_delbtnClick();
    void MListBoxClick();
    // Both size edits take digits and backspace only; true discards the key.
    bool width_editKeyPress(const QKeyEvent& key);
    bool height_editKeyPress(const QKeyEvent& key);
    void suiButton2Click();
    void FormClose();
    void FormCanResize();

    suiPageControl* setting_page;
    QPushButton* suiButton2;
    // The quick links.
    QWidget* quick_sheet;
    QLabel* Label6;
    QListWidget* ListBox;
    QPushButton* del_quick;
    QLabel* Label5;
    QComboBox* cal_cbox;
    QLabel* Label3;
    QLineEdit* url_edit;
    QLabel* Label1;
    QLabel* Label4;
    QLineEdit* title_edit;
    QLabel* Label2;
    QPushButton* addURL_button;
    // The music players.
    QWidget* music_sheet;
    QLabel* Label7;
    QListWidget* MListBox;
    QPushButton* m_delbtn;
    QLabel* Label8;
    QComboBox* m_cbox;
    QLabel* Label11;
    QLineEdit* width_edit;
    QLabel* Label12;
    QLineEdit* height_edit;
    QLabel* Label10;
    QLineEdit* m_url;
    QLabel* Label9;
    QLineEdit* m_title;
    QPushButton* m_addbtn;

    // Recounted at every showing, then kept in step by adds and deletes.
    int quickLinkCount = 0;
    int playerCount = 0;
    // The address of the player playing when the window was shown (GBK).
    std::string openingPlayerUrl;

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void ShowOn(QWidget* sheet);
    void BuildQuickSheet();
    void BuildMusicSheet();
    // Writes the tables; a failure is told, the change stays in memory.
    void Save();
    void EmptyPlayerEdits();
    // Lines as high as each list's design: 20 for quick links, 16 for players.
    void AddLine(QListWidget* list, const QString& text);
    // The selected line, or -1 when none is.
    static int SelectedLine(const QListWidget* list);
};
