#pragma once
// A top-level window drawn by the skinned frame, with its own theme manager.

#include <QWidget>

class suiForm;
class suiThemeManager;

class SkinnedWindow : public QWidget {
    Q_OBJECT
public:
    SkinnedWindow(const QString& caption, QWidget* parent = nullptr);

    suiForm* suiForm1;
    suiThemeManager* suiThemeManager1;

protected:
    // Places the window's controls; they live in the frame's client area.
    QWidget* Client() const;
};
