#include "ui/skin/suiURLLabel.h"

#include <QMouseEvent>

suiURLLabel::suiURLLabel(QWidget* parent) : QLabel(parent) {
    setCursor(Qt::PointingHandCursor);
    QFont underlined = font();
    underlined.setUnderline(true);
    setFont(underlined);
    setLinkColor(Qt::blue);
}

void suiURLLabel::setLinkColor(const QColor& color) {
    QPalette linkPalette = palette();
    linkPalette.setColor(QPalette::WindowText, color);
    setPalette(linkPalette);
}

void suiURLLabel::enterEvent(QEnterEvent* event) {
    setLinkColor(Qt::red);
    QLabel::enterEvent(event);
}

void suiURLLabel::leaveEvent(QEvent* event) {
    setLinkColor(Qt::blue);
    QLabel::leaveEvent(event);
}

void suiURLLabel::mousePressEvent(QMouseEvent* event) {
    // Accepted, so the release comes here and not to a parent that might drag the window.
    event->accept();
}

void suiURLLabel::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit clicked(url_);
    event->accept();
}
