#include <QPainter>
#include <QPixmap>

#include "ui/shell/app_icon.h"

QIcon AppIcon() {
    static const QIcon icon = [] {
        QPixmap pixmap(64, 64);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setBrush(QColor(32, 112, 208));
        painter.setPen(Qt::NoPen);
        painter.drawRoundedRect(2, 2, 60, 60, 14, 14);
        painter.setPen(Qt::white);
        QFont font = painter.font();
        font.setBold(true);
        font.setPixelSize(44);
        painter.setFont(font);
        painter.drawText(pixmap.rect(), Qt::AlignCenter, "T");
        return QIcon(pixmap);
    }();
    return icon;
}
