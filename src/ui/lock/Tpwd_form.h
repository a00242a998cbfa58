#pragma once
// The password dialog: sets the first password before the first lock (set
// mode) and changes it from the lock screen (change mode).

#include "ui/shell/skinned_window.h"

class QLabel;
class QLineEdit;
class QPushButton;

class Tpwd_form : public SkinnedWindow {
    Q_OBJECT
public:
    explicit Tpwd_form(QWidget* parent = nullptr);

    // Set mode: modal; returns when the dialog is closed.
    void ShowSetMode();
    // Change mode: not modal, above the lock, which stays engaged.
    void ShowChangeMode();
    bool ChangeMode() const;
    // Places the controls and sets the tab order for one mode.
    void SetUpMode(bool change);

    void ok_btnClick();
    // `key` is a Windows virtual-key code; Enter (13) runs ok_btnClick.
    void pwd_edit2KeyDown(int key);
    void close_btnClick();
    void FormShow();
    // Puts the dialog back to its one size.
    void FormCanResize();

    QLabel* ori_label;
    QLineEdit* ori_pwd;
    QLabel* set_label;
    QLineEdit* pwd_edit1;
    QLabel* reset_label;
    QLineEdit* pwd_edit2;
    QPushButton* ok_btn;
    QPushButton* close_btn;

protected:
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QSize fixedSize_;
};
