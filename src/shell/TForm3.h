#pragma once
// The about box.

#include "shell/skinned_window.h"

class TForm3 : public SkinnedWindow {
    Q_OBJECT
public:
    explicit TForm3(QWidget* parent = nullptr);
};
