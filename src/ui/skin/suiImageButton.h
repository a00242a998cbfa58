#pragma once

#include <QAbstractButton>
#include <QPixmap>

// A flat picture button with an optional caption right of the picture; it only
// shows a background while hovered or pressed, so it sits on any skin's tab strip.
class suiImageButton : public QAbstractButton {
    Q_OBJECT
public:
    explicit suiImageButton(QWidget* parent = nullptr);

    void setPixmap(const QPixmap& pixmap);
    QPixmap pixmap() const { return pixmap_; }
    bool isHovered() const { return hovered_; }
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    // A picture has no words: a screen reader names the button by its tip.
    bool event(QEvent* event) override;

private:
    QPixmap pixmap_;
    bool hovered_ = false;
};
