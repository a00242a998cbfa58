#pragma once
// The settings window: quick links and music players.

#include "ui/shell/skinned_window.h"

class Tsetting_form : public SkinnedWindow {
    Q_OBJECT
public:
    explicit Tsetting_form(QWidget* parent = nullptr);
    // Shows the window modally on its quick-link sheet.
    void ShowQuickLinks();
};
