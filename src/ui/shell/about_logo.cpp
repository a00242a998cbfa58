#include <QLinearGradient>
#include <QPainter>

#include "ui/shell/about_logo.h"
#include "ui/shell/app_icon.h"

QPixmap AboutLogo() {
    QPixmap logo(208, 70);
    logo.fill(Qt::transparent);
    QPainter painter(&logo);
    painter.setRenderHint(QPainter::Antialiasing);
    QLinearGradient sky(0, 0, 208, 0);
    sky.setColorAt(0, QColor(31, 91, 176));
    sky.setColorAt(1, QColor(91, 154, 230));
    painter.setPen(Qt::NoPen);
    painter.setBrush(sky);
    painter.drawRoundedRect(QRectF(0.5, 0.5, 207, 69), 10, 10);
    painter.drawPixmap(10, 11, AppIcon().pixmap(48, 48));

    QFont font = painter.font();
    font.setBold(true);
    font.setPixelSize(30);
    painter.setFont(font);
    painter.setPen(Qt::white);
    painter.drawText(QRect(66, 6, 136, 38), Qt::AlignLeft | Qt::AlignVCenter, "Tavinor");
    font.setBold(false);
    font.setPixelSize(13);
    painter.setFont(font);
    painter.setPen(QColor(226, 238, 252));
    painter.drawText(QRect(66, 42, 136, 20), Qt::AlignLeft | Qt::AlignVCenter,
                     QStringLiteral("轻松上网，快乐生活"));
    return logo;
}
