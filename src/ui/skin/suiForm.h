#pragma once

#include <QPoint>
#include <QRect>
#include <QWidget>

class QMenu;
class suiBuiltInFileTheme;
class suiTitleButton;

// The skinned frame of a frameless top-level window. It covers the whole
// window, paints the title bar and border, and moves and resizes the window
// itself, which also works where no window manager does it.
class suiForm : public QWidget {
    Q_OBJECT
public:
    static constexpr int TitleHeight = 26;
    static constexpr int BorderWidth = 4;

    // `window` is the top-level window; the frame follows its size from then on.
    explicit suiForm(QWidget* window);

    void setCaption(const QString& caption);
    QString caption() const { return caption_; }
    // Where the window puts its controls: below the title bar, inside the border.
    QWidget* clientArea() const { return client_; }
    void setMinimizeButtonVisible(bool visible);
    bool isMinimizeButtonVisible() const;
    void setMaximizeButtonVisible(bool visible);
    bool isMaximizeButtonVisible() const;
    void setTheme(const suiBuiltInFileTheme* theme);
    const suiBuiltInFileTheme* theme() const { return theme_; }

signals:
    // With nothing connected the frame minimises or closes the window itself.
    void minimizeRequested();
    void closeRequested();
    // Emitted after the frame has toggled the window between maximised and normal.
    void maximizeRequested();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    enum class Drag { None, Move, Resize };

    void requestMinimize();
    void requestClose();
    void toggleMaximized();
    void showControlMenu();
    void placeChildren();
    void applyFrameColors();
    Qt::Edges edgesAt(const QPoint& pos) const;
    bool isResizable() const;

    QString caption_;
    const suiBuiltInFileTheme* theme_;
    QWidget* client_;
    suiTitleButton* controlBox_;
    suiTitleButton* minimize_;
    suiTitleButton* maximize_;
    suiTitleButton* close_;
    QMenu* controlMenu_;
    Drag drag_ = Drag::None;
    Qt::Edges dragEdges_;
    QPoint pressGlobal_;
    QRect pressGeometry_;
};
