// Hands addresses to the desktop's default browser (xdg-open).
#include <QDesktopServices>
#include <QUrl>

#include "core/shell/open_address.h"
#include "platform/platform.h"

namespace platform {

void OpenInSystemBrowser(const std::string& address) {
    const QString text = QString::fromStdString(address);
    switch (JudgeBrowserAddress(address, DocumentsDirectory())) {
    case BrowserAddress::Web:
        QDesktopServices::openUrl(QUrl(text));
        break;
    case BrowserAddress::OwnPage:
        QDesktopServices::openUrl(text.startsWith('/') ? QUrl::fromLocalFile(text) : QUrl(text));
        break;
    case BrowserAddress::Refused:
        break;
    }
}

} // namespace platform
