#include "ui/music/Tsetting_form.h"

Tsetting_form::Tsetting_form(QWidget* parent) : SkinnedWindow(QStringLiteral("设 置"), parent) {
    setObjectName("Tsetting_form");
}

void Tsetting_form::ShowQuickLinks() {
    ShowModal();
}
