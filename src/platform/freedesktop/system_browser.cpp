// Hands addresses to the desktop's default browser (xdg-open).
#include <QDesktopServices>
#include <QUrl>

#include "core/shell/documents_path.h"
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
        // Handed over as the file:/// address of the page judged, however
        // it was written: the desktop's opener takes no other spelling.
        QDesktopServices::openUrl(QUrl::fromLocalFile(
            QString::fromStdString(DocumentsFilePath(DocumentsDirectory(), "mine.htm"))));
        break;
    case BrowserAddress::Refused:
        break;
    }
}

} // namespace platform
