// Favorites in and out: the data file exported and imported whole, bookmark
// files every browser reads, and the browsers' own favorites.
#include <QCheckBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QListWidget>
#include <QPushButton>
#include <QTimer>
#include <memory>
#include <optional>

#include "core/favorites/favorites_walk.h"
#include "core/favorites/netscape_bookmarks.h"
#include "core/favorites/store_exchange.h"
#include "core/store/read_file.h"
#include "core/store/replace_file.h"
#include "platform/platform.h"
#include "ui/favorites/bookmark_loading.h"
#include "ui/favorites/bookmark_text.h"
#include "ui/favorites/busy_button.h"
#include "ui/favorites/focus_return.h"
#include "ui/favorites/plain_file_browsing.h"
#include "ui/shell/TForm1.h"
#include "ui/text/gbk_codec.h"

namespace {

const QString kDataFilter = QStringLiteral(".dat (*.dat)");
const QString kHtmlExportFilter = QStringLiteral("HTML 书签 (*.html)");
const QString kHtmlImportFilter = QStringLiteral("HTML 书签 (*.html *.htm)");

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

QString Megabytes(qint64 bytes) {
    return QString::number(static_cast<double>(bytes) / (1 << 20), 'f', 1);
}

// The one notice of an import, when it is over: a file read only in part,
// favorites that went into the last category because theirs could not be
// made, links without an address, browser stores that could not be read.
// Empty when all went well.
QString ImportSummary(const WalkOutcome& outcome, const LoadedBookmarks& source) {
    QStringList parts;
    if (source.readSize > 0)
        parts << QString("书签文件有 %1 MB，超过一次可读取的大小，只导入了前 %2 MB 中的收藏。")
                     .arg(Megabytes(source.fileSize), Megabytes(source.readSize));
    if (outcome.misplaced > 0) {
        const QString why = outcome.refusal == AddCategoryResult::IdsUsedUp
                                ? QString("分类编号已用完，请先执行导出/导入操作")
                                : QString("最多可添加%1个分类").arg(kMaxCategories);
        parts << QString("共导入 %1 个收藏：%2 个放入了各自的分类，%3 个因无法新建分类（%4）"
                         "放入了最后一个分类“%5”。")
                     .arg(outcome.added)
                     .arg(outcome.added - outcome.misplaced)
                     .arg(outcome.misplaced)
                     .arg(why, FromGbk(outcome.lastCategory));
    }
    if (outcome.skipped > 0)
        parts << QString("有 %1 个条目没有可读的网址，已跳过。").arg(outcome.skipped);
    for (const std::string& store : source.unreadable)
        parts << "无法读取浏览器收藏 " + QString::fromStdString(store) + "，已跳过。";
    return parts.join("\n");
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
        // A name that says its format wins over the filter.
        const QString suffix = QFileInfo(file).suffix().toLower();
        if (suffix == "html" || suffix == "htm")
            html = true;
        else if (suffix == "dat")
            html = false;
        else if (suffix.isEmpty())
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
    const FocusReturn focusBack(this);
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
}

void TForm1::inBtnClick() {
    const FocusReturn focusBack(this);
    QString chosen;
    std::optional<QByteArray> head;
    {
        BusyButton busy(inBtn);
        chosen = AskImportFile();
        head = chosen.isEmpty() ? std::nullopt : ReadUpTo(chosen, 1024);
    }
    // A browser's bookmark file adds its links; a data file replaces ours.
    if (head && IsNetscapeBookmarkFile(head->toStdString()))
        StartBookmarkImport([chosen] { return LoadBookmarkFile(chosen); });
    else if (head)
        StartDataFileImport(chosen);
}

// The file is read off the window thread, which a large one would hold;
// only replacing the data file and reading it back happen here.
void TForm1::StartDataFileImport(const QString& chosen) {
    inBtn->setEnabled(false);
    IEBtn->setEnabled(false);
    background_.Run<OfferedFile>([path = chosen.toStdString()] { return ReadOfferedFile(path); },
                                 [this](OfferedFile& offered) {
                                     ReportDataFileImport(
                                         offered.outcome == ImportOutcome::Imported
                                             ? ImportStoreBytes(store, offered.bytes)
                                             : offered.outcome);
                                     inBtn->setEnabled(true);
                                     IEBtn->setEnabled(true);
                                 });
}

void TForm1::ReportDataFileImport(ImportOutcome outcome) {
    switch (outcome) {
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
}

void TForm1::IEBtnClick() {
    const FocusReturn focusBack(this);
    StartBookmarkImport(LoadBrowserFavorites);
}

// Both import buttons wait until the links are in: a second import, or a data
// file replacing the store, must not run beside the walk.
struct TForm1::BookmarkImportRun {
    BookmarkImportRun(Store& store, LoadedBookmarks& loaded)
        : walk(store, std::move(loaded.root), platform::LocalDateTimeText()),
          source(std::move(loaded)) {}
    FavoritesImport walk;
    LoadedBookmarks source; // without its tree, which the walk holds
};

void TForm1::StartBookmarkImport(std::function<LoadedBookmarks()> load) {
    inBtn->setEnabled(false);
    IEBtn->setEnabled(false);
    background_.Run<LoadedBookmarks>(std::move(load), [this](LoadedBookmarks& loaded) {
        if (!loaded.found) {
            ShowMsgDlg("导入IE收藏夹出错！");
            inBtn->setEnabled(true);
            IEBtn->setEnabled(true);
            return;
        }
        bookmarkImport = std::make_shared<BookmarkImportRun>(store, loaded);
        ImportBookmarkSlice();
    });
}

void TForm1::ImportBookmarkSlice() {
    // Slices short enough that the window answers between them; each step
    // ends with one write of its favorites to the data file.
    constexpr std::size_t kLinksPerStep = 64;
    constexpr qint64 kSliceMs = 10;
    QElapsedTimer clock;
    clock.start();
    std::shared_ptr<BookmarkImportRun> run = bookmarkImport;
    bool done = false;
    while (!(done = run->walk.Step(kLinksPerStep)) && clock.elapsed() < kSliceMs) {
    }
    if (!done)
        return QTimer::singleShot(0, this, &TForm1::ImportBookmarkSlice);

    bookmarkImport.reset();
    const WalkOutcome& outcome = run->walk.outcome();
    ReportSave(outcome.saved ? 0 : -1);
    ListCategories();
    ListBox->setCurrentRow(0);
    ListBoxClick();
    UpdateFavoriteCount();
    const QString summary = ImportSummary(outcome, run->source);
    if (!summary.isEmpty())
        ShowMsgDlg(summary);
    inBtn->setEnabled(true);
    IEBtn->setEnabled(true);
    // A hundred thousand links take the window thread a fifth of a second
    // to free.
    background_.Dispose(std::move(run));
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
