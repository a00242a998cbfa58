#pragma once
// The full-screen lock; it has no skin. While engaged it holds the keyboard
// and the pointer, hides the desktop's panels and sets the task-manager policy.

#include <QPointer>
#include <QWidget>
#include <vector>

class QLabel;
class QPushButton;
class QLineEdit;
class QTimer;
class suiImageButton;

class Tlock_form : public QWidget {
    Q_OBJECT
public:
    explicit Tlock_form(QWidget* parent = nullptr);
    // A lock still engaged when the program ends is released first.
    ~Tlock_form() override;

    unsigned ReadTaskMgrPolicy() const;
    void EngageLock();
    void ReleaseLock();
    bool Engaged() const { return engaged_; }
    // The program is ending: the lock gives everything back and lets itself
    // be closed, or the application would refuse to quit.
    void ReleaseForExit();
    // True while the keyboard and the pointer are really held.
    bool InputHeld() const { return inputHeld_; }

    void FormShow();
    bool FormCloseQuery() const { return allowClose; }
    void FormClose();
    void pwdEnter();
    // `key` is a Windows virtual-key code; Enter (13) tries to unlock.
    void pwdKeyDown(int key);
    void suiImageButton1Click();
    void unlock_btnClick();
    void Label2Click();

    QLabel* Label1;
    QLineEdit* pwd;
    suiImageButton* suiImageButton1;
    QPushButton* Label2;
    QLabel* pwd_error;
    // Says in red that the input could not be taken yet.
    QLabel* grab_error;
    bool allowClose = false;

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void CoverScreens();
    void HoldInput();
    void Restack();
    void RefocusTop();
    bool KeyEvent(QObject* receiver, QEvent* event);
    void WindowShownOrHidden(QWidget* window, bool shown);
    // The controls stand on the primary monitor; the window covers all of them.
    QWidget* primaryArea_;
    QTimer* holdTimer_;
    int quickRetriesLeft_ = 0;
    bool engaged_ = false;
    bool inputHeld_ = false;
    // The program's own windows that may lie above the lock, lowest first.
    std::vector<QPointer<QWidget>> above_;
    QWidget* TopWindow() const;
};
