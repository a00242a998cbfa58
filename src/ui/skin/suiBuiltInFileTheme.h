#pragma once

#include <QColor>
#include <QString>

// One of the looks built into the program: a style sheet for the skinned
// controls plus the colours that the window frame paints by hand.
class suiBuiltInFileTheme {
public:
    struct FrameColors {
        QColor titleTop;         // title bar gradient, upper end
        QColor titleBottom;      // title bar gradient, lower end
        QColor titleText;        // caption and title button glyphs
        QColor border;           // the resizable outer edge
        QColor buttonHover;      // background of a hovered title button
        QColor closeHover;       // background of the hovered close button
        QColor clientBackground; // the area below the title bar
    };

    suiBuiltInFileTheme(int number, QString name, FrameColors frame, QString styleSheet,
                        QString tabStyleSheet);

    int number() const { return number_; }
    QString name() const { return name_; }
    const FrameColors& frame() const { return frame_; }
    // Rules for every kind of skinned control (buttons, edits, lists, menus, tabs...).
    QString styleSheet() const { return styleSheet_; }
    // Only the tab strip rules, for page controls whose pages must stay unstyled.
    QString tabStyleSheet() const { return tabStyleSheet_; }

private:
    int number_;
    QString name_;
    FrameColors frame_;
    QString styleSheet_;
    QString tabStyleSheet_;
};

// The built-in skins: 2 gives the dark green one, any other number the blue default.
const suiBuiltInFileTheme& BuiltInTheme(int number);
