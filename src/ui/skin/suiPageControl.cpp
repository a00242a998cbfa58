#include "ui/skin/suiPageControl.h"

#include "ui/skin/suiBuiltInFileTheme.h"

suiPageControl::suiPageControl(QWidget* parent) : QTabWidget(parent) {
    setTabPosition(QTabWidget::North);
    setTabStyleSheet(BuiltInTheme(1).tabStyleSheet());
}

void suiPageControl::setTabStyleSheet(const QString& tabRules) {
    // Appended last so they win over any rule of the skin with the same selector.
    const QString fixedRules =
        QStringLiteral("QTabWidget::tab-bar { left: %1px; }\n"
                       "QTabWidget::pane { border: 1px solid %2; top: -1px; }\n")
            .arg(TabStripLeft)
            .arg(borderColor().name());
    // The sheet covers every page beneath: setting it again restyles them all.
    const QString sheet = tabRules + fixedRules;
    if (sheet != styleSheet())
        setStyleSheet(sheet);
}
