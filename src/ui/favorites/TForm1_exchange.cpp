// Favorites in and out: the data file exported and imported whole, bookmark
// files every browser reads, and the browsers' own favorites.
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QListWidget>
#include <QPushButton>
#include <memory>
#include <optional>

#include "core/favorites/favorites_walk.h"
#include "core/favorites/netscape_bookmarks.h"
#include "core/favorites/store_exchange.h"
#include "core/store/read_file.h"
#include "core/store/replace_file.h"
#include "platform/platform.h"
#include "ui/favorites/bookmark_text.h"
#include "ui/favorites/busy_button.h"
#include "ui/favorites/plain_file_browsing.h"
#include "ui/shell/TForm1.h"

namespace {

const QString kDataFilter = QStringLiteral(".dat (*.dat)");
const QString kHtmlExportFilter = QStringLiteral("HTML 书签 (*.html)");
const QString kHtmlImportFilter = QStringLiteral("HTML 书签 (*.html *.htm)");
// A bookmark file larger than this is not one a browser wrote.
constexpr qint64 kBookmarkFileLimit = 64 << 20;

// Qt's own dialog rather than the desktop's: the same on every desktop, and
// one that a test can answer.
QFileDialog* MakeFileDialog(QWidget* parent, const QString& caption, QFileDialog::AcceptMode mode,
                            const QStringList& filters) {
    auto* dialog = new QFileDialog(parent, caption);
    dialog->setAttribute(Qt::WA_DeleteOnClose, false);
    dialog->setOption(QFileDialog::DontUseNativeDialog);
    // The overwrite question is asked in the program's own dialog.
    dialog->setOption(QFileDialog::DontConfirmOverwrite);
    dialog->setAcceptMode(mode);
    dialog->setFileMode(mode == QFileDialog::AcceptSave ? QFileDialog::AnyFile
                                                        : QFileDialog::ExistingFile);
    dialog->setNameFilters(filters);
    BrowseWithoutReading(dialog);
    return dialog;
}

int ExportBookmarkFile(const QString& target, const std::string& dataFile) {
    std::optional<BookmarkNode> tree = DataFileBookmarks(dataFile);
    if (!tree)
        return -1;
    BookmarksFromGbk(*tree);
    return ReplaceFile(target.toStdString(), WriteNetscapeBookmarks(*tree));
}

// The first `limit` bytes of a file; nothing when it cannot be read or is
// no plain file (a FIFO or a device would hold the window).
std::optional<QByteArray> ReadUpTo(const QString& path, qint64 limit) {
    const std::optional<std::string> bytes =
        ReadRegularFile(path.toStdString(), static_cast<std::size_t>(limit));
    if (!bytes)
        return std::nullopt;
    return QByteArray(bytes->data(), static_cast<qsizetype>(bytes->size()));
}

} // namespace

QString TForm1::AskExportFile(bool& html) {
    std::unique_ptr<QFileDialog> dialog(MakeFileDialog(
        this, "导出我的收藏", QFileDialog::AcceptSave, {kDataFilter, kHtmlExportFilter}));
    while (dialog->exec() == QDialog::Accepted && !dialog->selectedFiles().isEmpty()) {
        html = dialog->selectedNameFilter() == kHtmlExportFilter;
        QString file = dialog->selectedFiles().first();
        if (QFileInfo(file).suffix().isEmpty())
            file += html ? ".html" : ".dat";
        const QFileInfo target(file);
        if (!target.dir().exists())
            ShowMsgDlg("文件夹不存在：" + QDir::toNativeSeparators(target.path()));
        else if (!target.exists() || Confirm(target.fileName() + " 已存在，要替换它吗？"))
            return file;
    }
    return {};
}

QString TForm1::AskImportFile() {
    std::unique_ptr<QFileDialog> dialog(MakeFileDialog(
        this, "导入我的收藏", QFileDialog::AcceptOpen, {kDataFilter, kHtmlImportFilter}));
    if (dialog->exec() != QDialog::Accepted || dialog->selectedFiles().isEmpty())
        return {};
    return dialog->selectedFiles().first();
}

void TForm1::outBtnClick() {
    BusyButton busy(outBtn);
    bool html = false;
    const QString target = AskExportFile(html);
    if (!target.isEmpty()) {
        const int result = html ? ExportBookmarkFile(target, store.path)
                                : ExportStore(target.toStdString(), store.path);
        if (result != 0)
            ShowMsgDlg("无法导出到 " + QDir::toNativeSeparators(target) +
                       "，请检查该位置是否可以写入（不能是数据文件本身）。");
    }
    ParkFocus();
}

void TForm1::inBtnClick() {
    BusyButton busy(inBtn);
    const QString chosen = AskImportFile();
    const std::optional<QByteArray> head = chosen.isEmpty() ? std::nullopt : ReadUpTo(chosen, 1024);
    if (!head)
        return ParkFocus();

    // A browser's bookmark file adds its links; a data file replaces ours.
    if (IsNetscapeBookmarkFile(head->toStdString())) {
        if (const std::optional<QByteArray> file = ReadUpTo(chosen, kBookmarkFileLimit)) {
            BookmarkNode tree = ReadNetscapeBookmarks(file->toStdString());
            BookmarksToGbk(tree);
            ImportBookmarkTree(tree);
        }
        return ParkFocus();
    }
    switch (ImportStoreFile(store, chosen.toStdString())) {
    case ImportOutcome::CannotOpen:
        break;
    case ImportOutcome::BadFormat:
        ShowMsgDlg("错误的文件格式！");
        break;
    case ImportOutcome::NotWritten:
        ShowMsgDlg("无法写入数据文件，没有导入，原来的收藏保持不变。");
        break;
    case ImportOutcome::Imported:
        ReloadAfterImport();
        break;
    case ImportOutcome::Restored:
        ReloadAfterImport();
        ShowMsgDlg("导入后无法读取数据文件，已恢复原来的收藏。");
        break;
    case ImportOutcome::Failed:
        ReloadAfterImport();
        ShowMsgDlg("导入后无法读取数据文件，原来的收藏保存在 " +
                   QDir::toNativeSeparators(QString::fromStdString(ImportBackupPath(store.path))));
        break;
    }
    ParkFocus();
}

void TForm1::IEBtnClick() {
    BusyButton busy(IEBtn);
    platform::BrowserFavorites favorites = platform::ReadBrowserFavorites();
    if (!favorites.found) {
        ShowMsgDlg("导入IE收藏夹出错！");
        return ParkFocus();
    }
    BookmarksToGbk(favorites.root);
    ImportBookmarkTree(favorites.root);
    for (const std::string& source : favorites.unreadable)
        ShowMsgDlg("无法读取浏览器收藏 " + QString::fromStdString(source) + "，已跳过。");
    ParkFocus();
}

void TForm1::ImportBookmarkTree(const BookmarkNode& root) {
    const WalkOutcome outcome =
        ImportFavoritesFolder(store, root, platform::LocalDateTimeText(),
                              [this](AddCategoryResult result) { ShowCategoryRefusal(result); });
    ReportSave(outcome.saved ? 0 : -1);
    ListCategories();
    ListBox->setCurrentRow(0);
    ListBoxClick();
    UpdateFavoriteCount();
}

void TForm1::ReloadAfterImport() {
    ListCategories();
    ListBox->setCurrentRow(0);
    ListBoxClick();
    UpdateFavoriteCount();
    // The imported file brings its own start options and quick links.
    mineCheckBox->setChecked(store.header.openMinePageOnStart == 1);
    tvrCheckBox->setChecked(store.header.openSitePageOnStart == 1);
    RefreshQuickLinkMenu();
    // The music page follows the imported player list and choice here (music_cboxChange).
    ApplySkin();
}
