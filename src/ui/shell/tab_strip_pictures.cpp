#include <QPainter>
#include <QPainterPath>

#include "ui/shell/tab_strip_pictures.h"

namespace {

const QColor kInk(31, 91, 176);

// A 16 x 16 transparent canvas, antialiased, with `draw` painting on it.
template <typename Draw> QPixmap Picture(Draw draw) {
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    draw(painter);
    return pixmap;
}

} // namespace

QPixmap RefreshPicture() {
    return Picture([](QPainter& p) {
        p.setPen(QPen(kInk, 2, Qt::SolidLine, Qt::RoundCap));
        p.drawArc(QRectF(2.5, 2.5, 11, 11), 60 * 16, 280 * 16);
        p.setPen(Qt::NoPen);
        p.setBrush(kInk);
        p.drawPolygon(QPolygonF({{9.5, 0.5}, {14.5, 3.5}, {9.5, 6.5}}));
    });
}

QPixmap BrowserPicture() {
    return Picture([](QPainter& p) {
        p.setPen(QPen(kInk, 1.4));
        p.setBrush(QColor(214, 232, 252));
        const QRectF globe(1.5, 1.5, 13, 13);
        p.drawEllipse(globe);
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(QRectF(5, 1.5, 6, 13));
        p.drawLine(QPointF(1.5, 8), QPointF(14.5, 8));
        p.drawLine(QPointF(3, 4.5), QPointF(13, 4.5));
        p.drawLine(QPointF(3, 11.5), QPointF(13, 11.5));
    });
}

QPixmap SkinPicture() {
    return Picture([](QPainter& p) {
        QPainterPath palette;
        palette.addEllipse(QRectF(1, 2, 14, 12));
        palette.addEllipse(QRectF(9, 9, 3.5, 3.5));
        p.setPen(QPen(QColor(120, 90, 40), 1));
        p.setBrush(QColor(240, 214, 160));
        p.drawPath(palette);
        p.setPen(Qt::NoPen);
        const QColor paints[] = {QColor(220, 50, 50), QColor(40, 150, 60), QColor(40, 90, 210),
                                 QColor(240, 180, 0)};
        const QPointF spots[] = {{4.5, 6}, {8, 4.5}, {11.5, 6}, {4.5, 10}};
        for (int i = 0; i < 4; ++i) {
            p.setBrush(paints[i]);
            p.drawEllipse(spots[i], 1.6, 1.6);
        }
    });
}

QPixmap LockPicture() {
    return Picture([](QPainter& p) {
        p.setPen(QPen(QColor(90, 90, 90), 2));
        p.setBrush(Qt::NoBrush);
        p.drawRoundedRect(QRectF(4.5, 1.5, 7, 9), 3.5, 3.5);
        p.setPen(QPen(QColor(150, 110, 10), 1));
        p.setBrush(QColor(245, 196, 40));
        p.drawRoundedRect(QRectF(2.5, 7.5, 11, 8), 1.5, 1.5);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(120, 80, 0));
        p.drawEllipse(QPointF(8, 11), 1.3, 1.3);
    });
}
