#pragma once
// A top-level window drawn by the skinned frame, with its own theme manager.

#include <QWidget>
#include <functional>

class QEventLoop;
class suiForm;
class suiThemeManager;

class SkinnedWindow : public QWidget {
    Q_OBJECT
public:
    SkinnedWindow(const QString& caption, QWidget* parent = nullptr);

    // Shows the window centred on the desktop, blocking the others, and
    // returns when it is closed.
    void ShowModal();

    suiForm* suiForm1;
    suiThemeManager* suiThemeManager1;

protected:
    // Places the window's controls; they live in the frame's client area.
    QWidget* Client() const;
    // Escape runs `action`, as a dialog's Escape closes it, once no control
    // of the window took the key: an open list or popup, an edit using it.
    void OnEscape(std::function<void()> action);
    void hideEvent(QHideEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    QEventLoop* modalLoop_ = nullptr;
    std::function<void()> escape_;
};
