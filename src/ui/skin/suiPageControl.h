#pragma once

#include <QColor>
#include <QTabWidget>

// The skinned page control: tabs on top, starting right of the button that
// sits at the left end of the tab strip, inside a fixed grey border.
class suiPageControl : public QTabWidget {
    Q_OBJECT
public:
    static constexpr int TabStripLeft = 26;
    static QColor borderColor() { return QColor(149, 149, 149); }

    explicit suiPageControl(QWidget* parent = nullptr);

    // The skin's tab rules; the strip offset and the border are kept whatever they say.
    void setTabStyleSheet(const QString& tabRules);
};
