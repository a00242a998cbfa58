// Hands addresses to the desktop's default browser (xdg-open).
#include <QDesktopServices>
#include <QFileInfo>
#include <QUrl>

#include "platform/platform.h"

namespace platform {

void OpenInSystemBrowser(const std::string& address) {
    const QString text = QString::fromStdString(address);
    const QUrl url = QFileInfo(text).isAbsolute() ? QUrl::fromLocalFile(text) : QUrl(text);
    QDesktopServices::openUrl(url);
}

} // namespace platform
