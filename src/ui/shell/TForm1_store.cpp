// Opening the data file at start and showing what it holds.
#include <QCheckBox>
#include <QLabel>
#include <QListWidget>

#include "core/shell/site_address.h"
#include "core/store/store_load.h"
#include "platform/platform.h"
#include "ui/shell/TForm1.h"
#include "ui/text/gbk_codec.h"

void TForm1::LoadStore() {
    store.path = platform::DataDirectory() + "/tvr.dat";
    FillSiteCatalogue(siteCatalogue, ProductSiteBase());
    BuildSiteMenus();
    const LoadOutcome outcome =
        LoadStoreFile(store, ProductSiteRoot(), platform::LocalDateTimeText());
    if (outcome == LoadOutcome::ReplacedBad)
        ShowMsgDlg("错误的文件格式！");
    else if (outcome == LoadOutcome::KeptUnreadable)
        ShowMsgDlg(
            "无法读取数据文件，也无法为它保存备份。原文件保持不变，本次运行中的更改不会保存。");

    ListCategories();
    mineCheckBox->setChecked(store.header.openMinePageOnStart == 1);
    tvrCheckBox->setChecked(store.header.openSitePageOnStart == 1);
    RefreshSiteMenus();
    RefreshQuickLinkMenu();
    RefreshPlayerList();
    UpdateFavoriteCount();
}
