#include "ui/skin/suiImageButton.h"

#include <QEvent>
#include <QPainter>

namespace {

constexpr int kGap = 4;
constexpr int kPadding = 2;

} // namespace

suiImageButton::suiImageButton(QWidget* parent) : QAbstractButton(parent) {
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::NoFocus);
}

void suiImageButton::setPixmap(const QPixmap& pixmap) {
    pixmap_ = pixmap;
    updateGeometry();
    update();
}

QSize suiImageButton::sizeHint() const {
    const QSize picture = pixmap_.deviceIndependentSize().toSize();
    int width = picture.width() + 2 * kPadding;
    if (!text().isEmpty())
        width += kGap + fontMetrics().horizontalAdvance(text());
    return QSize(width, qMax(picture.height(), fontMetrics().height()) + 2 * kPadding);
}

void suiImageButton::enterEvent(QEnterEvent* event) {
    hovered_ = true;
    update();
    QAbstractButton::enterEvent(event);
}

void suiImageButton::leaveEvent(QEvent* event) {
    hovered_ = false;
    update();
    QAbstractButton::leaveEvent(event);
}

void suiImageButton::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF box = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    // Neutral translucent tints, so the feedback reads on light and dark strips alike.
    if (isDown()) {
        painter.setPen(QColor(0, 0, 0, 120));
        painter.setBrush(QColor(0, 0, 0, 45));
        painter.drawRoundedRect(box, 3, 3);
    } else if (hovered_) {
        painter.setPen(QColor(0, 0, 0, 70));
        painter.setBrush(QColor(255, 255, 255, 130));
        painter.drawRoundedRect(box, 3, 3);
    }
    QRect content = rect().adjusted(kPadding, kPadding, -kPadding, -kPadding);
    if (isDown())
        content.translate(1, 1);
    const QSize picture = pixmap_.deviceIndependentSize().toSize();
    int x = content.left();
    if (text().isEmpty())
        x += (content.width() - picture.width()) / 2;
    if (!pixmap_.isNull())
        painter.drawPixmap(x, content.top() + (content.height() - picture.height()) / 2, pixmap_);
    if (!text().isEmpty()) {
        const QRect textRect =
            content.adjusted(picture.width() + (picture.isEmpty() ? 0 : kGap), 0, 0, 0);
        painter.setPen(palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled,
                                       QPalette::ButtonText));
        painter.drawText(textRect, Qt::AlignLeft | Qt::AlignVCenter, text());
    }
}

bool suiImageButton::event(QEvent* event) {
    if (event->type() == QEvent::ToolTipChange && text().isEmpty())
        setAccessibleName(toolTip());
    return QAbstractButton::event(event);
}
