#include <QFileDialog>
#include <QFileIconProvider>

#include "ui/favorites/plain_file_browsing.h"

namespace {

// Lives as long as the dialog, whose model asks it from a thread of its own.
class NameOnlyIcons : public QObject, public QFileIconProvider {
public:
    using QObject::QObject;
    QIcon icon(IconType type) const override { return QFileIconProvider::icon(type); }
    QIcon icon(const QFileInfo& info) const override {
        return icon(info.isRoot() ? Drive : info.isDir() ? Folder : File);
    }
    QString type(const QFileInfo& info) const override {
        if (info.isDir())
            return QFileIconProvider::type(info);
        return info.suffix().isEmpty() ? QStringLiteral("文件") : info.suffix() + " 文件";
    }
};

} // namespace

void BrowseWithoutReading(QFileDialog* dialog) {
    dialog->setIconProvider(new NameOnlyIcons(dialog));
}
