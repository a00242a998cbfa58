// Opening the data file at start and showing what it holds.
#include <QCheckBox>
#include <QLabel>
#include <QListWidget>

#include "core/favorites/store_exchange.h"
#include "core/shell/site_address.h"
#include "core/store/replace_file.h"
#include "core/store/store_load.h"
#include "platform/platform.h"
#include "ui/shell/TForm1.h"
#include "ui/text/gbk_codec.h"

void TForm1::LoadStore() {
    store.path = platform::DataDirectory() + "/tvr.dat";
    // Whole copies, the password included, that a run killed while writing
    // left behind; this run has written none yet.
    const auto startedAt = std::filesystem::file_time_type::clock::now();
    for (const std::string& written : {store.path, ImportBackupPath(store.path)})
        RemoveStaleCopies(written, startedAt);
    FillSiteCatalogue(siteCatalogue, ProductSiteBase());
    BuildSiteMenus();
    const LoadOutcome outcome =
        LoadStoreFile(store, ProductSiteRoot(), platform::LocalDateTimeText());
    if (outcome == LoadOutcome::ReplacedBad)
        ShowMsgDlg("错误的文件格式！");
    if (outcome == LoadOutcome::KeptUnreadable) {
        ShowMsgDlg(
            "无法读取数据文件，也无法为它保存备份。原文件保持不变，本次运行中的更改不会保存。");
        storeReadOnly_ = true;
    } else if (SaveStore(store, store.record, false) != 0) {
        // Writing the header as read is the test every later save depends
        // on; it also puts the counts of the records into the header.
        ShowMsgDlg("无法写入数据文件，本次运行中的更改不会保存。");
        storeReadOnly_ = true;
    }

    ListCategories();
    mineCheckBox->setChecked(store.header.openMinePageOnStart == 1);
    tvrCheckBox->setChecked(store.header.openSitePageOnStart == 1);
    RefreshSiteMenus();
    RefreshQuickLinkMenu();
    RefreshPlayerList();
    UpdateFavoriteCount();
}

void TForm1::ReportSave(int result, const QString& notice) {
    if (result != 0 && !storeReadOnly_)
        ShowMsgDlg(notice.isEmpty()
                       ? "无法写入数据文件，这次更改没有保存。请检查数据文件夹是否可以写入。"
                       : notice);
}
