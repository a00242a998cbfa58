#pragma once
// A top-level window drawn by the skinned frame, with its own theme manager.

#include <QWidget>

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
    void hideEvent(QHideEvent* event) override;

private:
    QEventLoop* modalLoop_ = nullptr;
};
