#include "ui/skin/suiTitleButton.h"

#include <QPainter>

suiTitleButton::suiTitleButton(Glyph glyph, QWidget* parent)
    : QAbstractButton(parent), glyph_(glyph) {
    setFocusPolicy(Qt::NoFocus);
    setCursor(Qt::ArrowCursor);
    setAccessibleName(AccessibleName(glyph));
    resize(sizeHint());
}

QString suiTitleButton::AccessibleName(Glyph glyph) {
    switch (glyph) {
    case Glyph::ControlBox:
        return QStringLiteral("窗口菜单");
    case Glyph::Minimize:
        return QStringLiteral("最小化");
    case Glyph::Maximize:
        return QStringLiteral("最大化");
    case Glyph::Restore:
        return QStringLiteral("还原");
    case Glyph::Close:
        break;
    }
    return QStringLiteral("关闭");
}

void suiTitleButton::setGlyph(Glyph glyph) {
    glyph_ = glyph;
    setAccessibleName(AccessibleName(glyph));
    update();
}

void suiTitleButton::setColors(const QColor& glyph, const QColor& hover) {
    glyphColor_ = glyph;
    hoverColor_ = hover;
    update();
}

QSize suiTitleButton::sizeHint() const {
    return glyph_ == Glyph::ControlBox ? QSize(18, 18) : QSize(24, 18);
}

void suiTitleButton::enterEvent(QEnterEvent* event) {
    hovered_ = true;
    update();
    QAbstractButton::enterEvent(event);
}

void suiTitleButton::leaveEvent(QEvent* event) {
    hovered_ = false;
    update();
    QAbstractButton::leaveEvent(event);
}

void suiTitleButton::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF box = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    if (hovered_ || isDown()) {
        painter.setPen(Qt::NoPen);
        painter.setBrush(isDown() ? hoverColor_.darker(130) : hoverColor_);
        painter.drawRoundedRect(box, 3, 3);
    }
    if (glyph_ == Glyph::ControlBox && !icon().isNull()) {
        const QRect iconRect(QPoint(0, 0), QSize(16, 16));
        icon().paint(&painter, iconRect.translated(rect().center() - iconRect.center()));
        return;
    }
    drawGlyph(painter, box);
}

void suiTitleButton::drawGlyph(QPainter& painter, const QRectF& box) const {
    const QPointF c = box.center() + (isDown() ? QPointF(0.5, 0.5) : QPointF());
    QPen pen(glyphColor_, 1.6, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin);
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);
    switch (glyph_) {
    case Glyph::Minimize:
        painter.fillRect(QRectF(c.x() - 5, c.y() + 2, 10, 2), glyphColor_);
        break;
    case Glyph::Maximize:
        painter.drawRect(QRectF(c.x() - 5, c.y() - 4, 10, 8));
        painter.fillRect(QRectF(c.x() - 5, c.y() - 4, 10, 2), glyphColor_);
        break;
    case Glyph::Restore: {
        // The rear window only shows where the front one does not cover it.
        const QPointF rear[] = {{c.x() - 2, c.y() - 2},
                                {c.x() - 2, c.y() - 5},
                                {c.x() + 5, c.y() - 5},
                                {c.x() + 5, c.y() + 1},
                                {c.x() + 2, c.y() + 1}};
        painter.drawPolyline(rear, 5);
        painter.drawRect(QRectF(c.x() - 5, c.y() - 2, 7, 6));
        break;
    }
    case Glyph::Close:
        pen.setWidthF(2.0);
        pen.setCapStyle(Qt::RoundCap);
        painter.setPen(pen);
        painter.drawLine(QPointF(c.x() - 4, c.y() - 4), QPointF(c.x() + 4, c.y() + 4));
        painter.drawLine(QPointF(c.x() + 4, c.y() - 4), QPointF(c.x() - 4, c.y() + 4));
        break;
    case Glyph::ControlBox: {
        // No window icon: a small globe, the program being about the web.
        pen.setWidthF(1.2);
        painter.setPen(pen);
        const QRectF globe(c.x() - 6, c.y() - 6, 12, 12);
        painter.drawEllipse(globe);
        painter.drawEllipse(globe.adjusted(3.5, 0, -3.5, 0));
        painter.drawLine(QPointF(globe.left(), c.y()), QPointF(globe.right(), c.y()));
        break;
    }
    }
}
