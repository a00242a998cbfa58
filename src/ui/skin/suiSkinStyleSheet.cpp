#include "ui/skin/suiSkinStyleSheet.h"

#include <QStringList>
#include <algorithm>

namespace {

const char* const kTabRules = R"(
QTabBar::tab {
    color: @tabText;
    background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 @tabTop, stop:1 @tabBottom);
    border: 1px solid @tabBorder;
    border-bottom: none;
    border-top-left-radius: @radius;
    border-top-right-radius: @radius;
    padding: 3px 8px 3px 8px;
    margin-top: 3px;
    margin-right: 1px;
}
QTabBar::tab:hover:!selected {
    background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 @tabHoverTop, stop:1 @tabHoverBottom);
}
QTabBar::tab:selected {
    color: @tabSelText;
    background: @tabSelBg;
    border-top: 3px solid @tabSelLine;
    margin-top: 0px;
    padding-bottom: 4px;
}
)";

const char* const kControlRules = R"(
QPushButton {
    color: @btnText;
    background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 @btnTop, stop:1 @btnBottom);
    border: 1px solid @btnBorder;
    border-radius: @radius;
    padding: 2px 10px;
    min-height: 15px;
}
QPushButton:hover {
    background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 @btnHoverTop, stop:1 @btnHoverBottom);
}
QPushButton:pressed { background: @btnPressed; padding: 3px 9px 1px 11px; }
QPushButton:focus { border-color: @focus; }
QPushButton:disabled { color: @disabledText; background: @disabledBg; border-color: @editBorder; }

QLineEdit {
    color: @text;
    background: @editBg;
    border: 1px solid @editBorder;
    border-radius: 2px;
    padding: 1px 3px;
    selection-background-color: @accent;
    selection-color: @accentText;
}
QLineEdit:focus { border-color: @focus; }
QLineEdit:disabled { color: @disabledText; background: @disabledBg; }

QListView {
    color: @text;
    background: @editBg;
    border: 1px solid @editBorder;
    outline: 0;
    selection-background-color: @accent;
    selection-color: @accentText;
}
QListView::item { padding: 1px 2px; }
QListView::item:hover:!selected { background: @listHover; }
QListView::item:selected { color: @accentText; background: @accent; }

QCheckBox { color: @text; spacing: 5px; }
QCheckBox:disabled { color: @disabledText; }
QCheckBox::indicator {
    width: 13px;
    height: 13px;
    border: 1px solid @editBorder;
    border-radius: 2px;
    background: @editBg;
}
QCheckBox::indicator:hover { border-color: @focus; }
QCheckBox::indicator:checked { background: @accent; border-color: @accent; image: url(:/skin/check.png); }

QComboBox {
    color: @text;
    background: @editBg;
    border: 1px solid @editBorder;
    border-radius: 2px;
    padding: 1px 20px 1px 4px;
    min-height: 16px;
}
QComboBox:focus, QComboBox:on { border-color: @focus; }
QComboBox::drop-down {
    subcontrol-origin: border;
    subcontrol-position: top right;
    width: 17px;
    border-left: 1px solid @editBorder;
    background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 @dropTop, stop:1 @dropBottom);
}
QComboBox::down-arrow { image: url(@dropArrow); width: 7px; height: 4px; }
QComboBox QAbstractItemView {
    color: @text;
    background: @editBg;
    border: 1px solid @focus;
    outline: 0;
    selection-background-color: @accent;
    selection-color: @accentText;
}

QMenu {
    background: @menuBg;
    border: 1px solid @menuBorder;
    padding: 0px;
}
QMenu::item {
    color: @menuText;
    height: 21px;
    padding: 0px 24px 0px 8px;
    border-left: 26px solid @menuSide;
}
QMenu::item:selected { color: @menuSelText; background: @menuSel; }
QMenu::item:disabled { color: @menuDisabled; background: @menuBg; }
QMenu::separator {
    height: 5px;
    border-left: 26px solid @menuSide;
    background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 @menuBg, stop:0.39 @menuBg,
        stop:0.4 @menuLine, stop:0.6 @menuLine, stop:0.61 @menuBg, stop:1 @menuBg);
}
)";

QString Fill(QString rules, const QMap<QString, QString>& values) {
    // Longest names first, so that "@btnHoverTop" is never cut by "@btnHover".
    QStringList names = values.keys();
    std::sort(names.begin(), names.end(),
              [](const QString& a, const QString& b) { return a.size() > b.size(); });
    for (const QString& name : names)
        rules.replace(QLatin1Char('@') + name, values.value(name));
    return rules;
}

} // namespace

QString SkinStyleSheet(const QMap<QString, QString>& values) {
    return Fill(QString::fromLatin1(kControlRules) + QString::fromLatin1(kTabRules), values);
}

QString SkinTabStyleSheet(const QMap<QString, QString>& values) {
    return Fill(QString::fromLatin1(kTabRules), values);
}
