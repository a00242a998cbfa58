#pragma once
// The about box: the logo, the version, the rights notice and the site's link.

#include "ui/shell/skinned_window.h"

class QLabel;
class QPushButton;
class suiURLLabel;

class TForm3 : public SkinnedWindow {
    Q_OBJECT
public:
    explicit TForm3(QWidget* parent = nullptr);

    void suiButton1Click();
    // Puts the box back to its one size; nothing may resize or maximise it.
    void FormCanResize();

    QLabel* Image1;
    QLabel* Label1;
    QLabel* Label2;
    suiURLLabel* suiURLLabel1;
    QPushButton* suiButton1;

protected:
    void changeEvent(QEvent* event) override;
};
