#pragma once
// The settings window: quick links and music players.

#include "ui/shell/skinned_window.h"

class suiPageControl;

class Tsetting_form : public SkinnedWindow {
    Q_OBJECT
public:
    explicit Tsetting_form(QWidget* parent = nullptr);
    // Show the window modally on one of its sheets.
    void ShowQuickLinks();
    void ShowPlayers();

    suiPageControl* setting_page;
    QWidget* quick_sheet;
    QWidget* music_sheet;

private:
    void ShowOn(QWidget* sheet);
};
