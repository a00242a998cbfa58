// What the favorites page does: every change reaches the data file at once.
#include <QCheckBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <vector>

#include "core/favorites/favorite_ops.h"
#include "core/favorites/start_page.h"
#include "core/shell/documents_path.h"
#include "core/shell/site_address.h"
#include "core/text/gbk_text.h"
#include "platform/platform.h"
#include "ui/favorites/FavoriteRows.h"
#include "ui/favorites/busy_button.h"
#include "ui/favorites/focus_return.h"
#include "ui/shell/TCppWebBrowser.h"
#include "ui/shell/TForm1.h"
#include "ui/text/gbk_codec.h"

namespace {

bool IsBlank(const QString& text) {
    return TrimBytes(ToGbk(text)).empty();
}

// The options reach the file with the next save of the header.
void CopyStartOptions(const QCheckBox* site, const QCheckBox* mine, StoreHeader& header) {
    header.openSitePageOnStart = site->isChecked() ? 1 : 0;
    header.openMinePageOnStart = mine->isChecked() ? 1 : 0;
}

} // namespace

void TForm1::ListCategories() {
    ListBox->clear();
    for (int row = 0; row < store.header.categoryCount; ++row) {
        auto* item = new QListWidgetItem(
            FromGbk(store.categories[row].name, sizeof store.categories[row].name), ListBox);
        item->setSizeHint(QSize(0, 22));
    }
}

void TForm1::ListBoxClick() {
    if (!favSearchEdit->text().isEmpty()) {
        // A category chosen while searching ends the search.
        const QSignalBlocker quiet(favSearchEdit);
        favSearchEdit->clear();
    }
    ScrollBox->ShowCategory(CategoryIdAt(store, qMax(0, ListBox->currentRow())));
}

void TForm1::favSearchEditChange() {
    const bool searching = ScrollBox->Searching();
    if (favSearchEdit->text().isEmpty())
        ScrollBox->EndSearch();
    else
        ScrollBox->ShowMatches(ToGbk(favSearchEdit->text()));
    // A search starts and ends with nothing checked, so that deleting while
    // searching takes only what was checked among its matches.
    if (ScrollBox->Searching() != searching) {
        ::SelectAll(store, 0, false);
        selectAllCheckBox->setChecked(false);
        ScrollBox->viewport()->update();
    }
}

void TForm1::FocusFavoritesSearch() {
    favSearchEdit->clear();
    favSearchEdit->setFocus(Qt::OtherFocusReason);
}

bool TForm1::FavoriteSearchKey(int key) {
    switch (key) {
    case Qt::Key_Up:
    case Qt::Key_Down:
        ScrollBox->MoveCurrent(key == Qt::Key_Up ? -1 : 1);
        return true;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (ScrollBox->Searching())
            ScrollBox->OpenCurrent();
        return true;
    case Qt::Key_Escape:
        if (favSearchEdit->text().isEmpty())
            return false;
        favSearchEdit->clear();
        return true;
    default:
        return false;
    }
}

void TForm1::UpdateFavoriteCount() {
    fav_num_label->setText(QString("收藏网址数：%1     ").arg(store.items.size()));
}

void TForm1::addURL_buttonClick() {
    const FocusReturn focusBack(this);
    BusyButton busy(addURL_button);
    ScrollBox->ScrollToTop();
    if (IsBlank(url_edit->text())) {
        ShowMsgDlg("网址不能为空！");
    } else {
        ReportSave(AddFavorite(store, ListBox->currentRow(), ToGbk(url_edit->text()),
                               ToGbk(title_edit->text()), platform::LocalDateTimeText()));
        ScrollBox->Refresh();
        UpdateFavoriteCount();
    }
    url_edit->clear();
    title_edit->clear();
}

void TForm1::addFenlei_buttonClick() {
    const FocusReturn focusBack(this);
    BusyButton busy(addFenlei_button);
    if (IsBlank(fenlei_edit->text())) {
        ShowMsgDlg("分类名称不能为空！");
    } else {
        const AddCategoryResult result = AddCategory(store, ToGbk(fenlei_edit->text()));
        if (result == AddCategoryResult::Added || result == AddCategoryResult::NotSaved) {
            const CategoryEntry& row = store.categories[store.header.categoryCount - 1];
            auto* item = new QListWidgetItem(FromGbk(row.name, sizeof row.name), ListBox);
            item->setSizeHint(QSize(0, 22));
            ReportSave(result == AddCategoryResult::Added ? 0 : -1);
        } else {
            ShowCategoryRefusal(result);
        }
    }
    fenlei_edit->clear();
}

void TForm1::ShowCategoryRefusal(AddCategoryResult result) {
    if (result == AddCategoryResult::TooMany)
        ShowMsgDlg(QString("最多可添加%1个分类，无法再添加！").arg(kMaxCategories));
    else if (result == AddCategoryResult::IdsUsedUp)
        ShowMsgDlg("请先执行导出/导入操作！");
}

void TForm1::delCatButtonClick() {
    const FocusReturn focusBack(this);
    BusyButton busy(delCatButton);
    if (ListBox->count() < 2) {
        ShowMsgDlg("至少要留一个分类！");
    } else if (Confirm("删除此分类，将会同时删除此分类下的所有收藏，确定要删除吗？")) {
        ScrollBox->ScrollToTop();
        const DeleteCategoryResult result = DeleteCategory(store, ListBox->currentRow());
        if (result == DeleteCategoryResult::FileUnavailable) {
            ShowMsgDlg("无法打开数据文件，分类没有删除。");
        } else if (result == DeleteCategoryResult::Deleted ||
                   result == DeleteCategoryResult::NotSaved) {
            delete ListBox->takeItem(ListBox->currentRow());
            selectAllCheckBox->setChecked(false);
            ListBox->setCurrentRow(0);
            ListBoxClick();
            UpdateFavoriteCount();
            ReportSave(result == DeleteCategoryResult::Deleted ? 0 : -1);
        }
    }
}

void TForm1::selectAllCheckBoxClick() {
    SelectAll(store, ListBox->currentRow(), selectAllCheckBox->isChecked());
    ScrollBox->viewport()->update();
}

void TForm1::delFavButtonClick() {
    const FocusReturn focusBack(this);
    // The selected category's checked favorites; while searching, those of
    // every category.
    std::vector<int> rows;
    for (int row = 0; row < store.header.categoryCount; ++row)
        if ((ScrollBox->Searching() || row == ListBox->currentRow()) && AnyCheckedIn(store, row))
            rows.push_back(row);
    if (rows.empty() || !Confirm("确定要删除选中收藏吗？"))
        return;
    BusyButton busy(delFavButton);
    ScrollBox->ScrollToTop();
    const std::size_t listed = store.items.size();
    int result = 0;
    for (const int row : rows)
        result = DeleteCheckedFavorites(store, row) == 0 ? result : -1;
    ScrollBox->Refresh();
    selectAllCheckBox->setChecked(false);
    UpdateFavoriteCount();
    // Without the file nothing is deleted; a write that failed later leaves
    // the deletion in memory only.
    if (result != 0 && store.items.size() == listed)
        ShowMsgDlg("无法打开数据文件，收藏没有删除。");
    else
        ReportSave(result);
}

void TForm1::MoveCategory(int direction) {
    const FocusReturn focusBack(this);
    const int row = ListBox->currentRow();
    const CategoryMove move = ::MoveCategory(store, row, direction);
    const int moved = move.row;
    if (moved != row) {
        for (int k : {row, moved})
            ListBox->item(k)->setText(
                FromGbk(store.categories[k].name, sizeof store.categories[k].name));
        // The moved category keeps its favorites: only the selection follows it.
        const QSignalBlocker quiet(ListBox);
        ListBox->setCurrentRow(moved);
        ReportSave(move.saved);
    }
}

void TForm1::upImgBtnClick() {
    MoveCategory(0);
}
void TForm1::downImgBtnClick() {
    MoveCategory(1);
}

void TForm1::clearBtnClick() {
    const FocusReturn focusBack(this);
    if (!Confirm("确定要清空收藏吗？"))
        return;
    const int saved = ClearFavorites(store, ProductSiteRoot(), platform::LocalDateTimeText());
    ListCategories();
    ListBox->setCurrentRow(0);
    ListBoxClick();
    QFile::remove(
        QString::fromStdString(DocumentsFilePath(platform::DocumentsDirectory(), "mine.htm")));
    mineWebBrowser->Navigate("about:blank");
    UpdateFavoriteCount();
    ReportSave(saved);
}

void TForm1::generateBtnClick() {
    const FocusReturn focusBack(this);
    BusyButton busy(generateBtn);
    if (GenerateStartPage(store, platform::DocumentsDirectory(), ProductSiteRoot()) == 0)
        ShowMsgDlg("生成我的首页成功！");
    else
        ShowMsgDlg("无法写入我的首页（mine.htm），请检查文档文件夹是否存在并且可以写入。");
}

void TForm1::tvrCheckBoxClick() {
    if (tvrCheckBox->isChecked() && mineCheckBox->isChecked())
        mineCheckBox->setChecked(false);
    CopyStartOptions(tvrCheckBox, mineCheckBox, store.header);
}

void TForm1::mineCheckBoxClick() {
    if (tvrCheckBox->isChecked() && mineCheckBox->isChecked())
        tvrCheckBox->setChecked(false);
    CopyStartOptions(tvrCheckBox, mineCheckBox, store.header);
}

int TForm1::ListedFavoriteCount() const {
    return ::ListedFavoriteCount(store);
}

void TForm1::GetListedFavorite(int index, QString& caption, QString& url) const {
    const ListedFavorite favorite = ::GetListedFavorite(store, index);
    caption = FromGbk(favorite.title);
    url = FromGbk(favorite.url);
}
