#pragma once
// The pictures of the tab-strip buttons, drawn rather than shipped.

#include <QPixmap>

QPixmap RefreshPicture();
QPixmap BrowserPicture();
QPixmap SkinPicture();
QPixmap LockPicture();
