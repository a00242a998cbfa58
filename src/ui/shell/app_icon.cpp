#include "ui/shell/app_icon.h"

#include <QImageReader>
#include <QPixmap>

// Outside any namespace: the pictures live in a static library, whose
// resource initialiser the final link keeps only when something calls it.
static void InitAppIconPictures() {
    Q_INIT_RESOURCE(app_icon);
}

QIcon AppIcon() {
    // The same pictures the desktop's icon theme gets, so the tray, the title
    // bar and the menu entry all show one icon at every size.
    static const QIcon icon = [] {
        InitAppIconPictures();
        QIcon sized;
        // Read as PNG, no questions asked: a reader left to detect the format
        // loads every image plugin to ask it first, before the main window's
        // first frame.
        for (int size : {16, 22, 24, 32, 48, 64, 128, 256}) {
            QImageReader reader(QStringLiteral(":/icons/tavinor-%1.png").arg(size), "png");
            reader.setAutoDetectImageFormat(false);
            sized.addPixmap(QPixmap::fromImage(reader.read()));
        }
        return sized;
    }();
    return icon;
}
