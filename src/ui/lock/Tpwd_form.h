#pragma once
// The password dialog.

#include "ui/shell/skinned_window.h"

class Tpwd_form : public SkinnedWindow {
    Q_OBJECT
public:
    explicit Tpwd_form(QWidget* parent = nullptr);
};
