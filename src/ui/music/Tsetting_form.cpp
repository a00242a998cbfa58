#include <QVBoxLayout>

#include "ui/music/Tsetting_form.h"
#include "ui/skin/suiPageControl.h"
#include "ui/skin/suiThemeManager.h"

Tsetting_form::Tsetting_form(QWidget* parent) : SkinnedWindow(QStringLiteral("设 置"), parent) {
    setObjectName("Tsetting_form");
    setFixedSize(570, 440);
    setting_page = new suiPageControl(Client());
    setting_page->setObjectName("setting_page");
    quick_sheet = new QWidget;
    quick_sheet->setObjectName("quick_sheet");
    music_sheet = new QWidget;
    music_sheet->setObjectName("music_sheet");
    setting_page->addTab(quick_sheet, QStringLiteral("快捷网址设置"));
    setting_page->addTab(music_sheet, QStringLiteral("   音乐设置   "));
    auto* layout = new QVBoxLayout(Client());
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(setting_page);
    suiThemeManager1->addControl(setting_page);
}

void Tsetting_form::ShowQuickLinks() {
    ShowOn(quick_sheet);
}

void Tsetting_form::ShowPlayers() {
    ShowOn(music_sheet);
}

void Tsetting_form::ShowOn(QWidget* sheet) {
    setting_page->setCurrentWidget(sheet);
    ShowModal();
}
