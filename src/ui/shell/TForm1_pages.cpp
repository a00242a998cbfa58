// What happens when a page of the main window becomes the active one.
#include <QFileInfo>

#include "core/shell/documents_path.h"
#include "platform/platform.h"
#include "ui/shell/TCppWebBrowser.h"
#include "ui/shell/TForm1.h"
#include "ui/skin/suiPageControl.h"

void TForm1::suiPageControl1Change() {
    QWidget* page = suiPageControl1->currentWidget();
    if (page == suiTabSheet2) {
        MusicPageEntry();
    } else if (page == mineTabSheet) {
        const QString mine =
            QString::fromStdString(DocumentsFilePath(platform::DocumentsDirectory(), "mine.htm"));
        if (!QFileInfo::exists(mine)) {
            ShowMsgDlg("您还没有生成首页，请在[收藏夹]中生成您的首页！");
            suiPageControl1->setCurrentWidget(guanliTabSheet);
            return;
        }
        // Every entry reloads: the page may have been generated again meanwhile.
        mineWebBrowser->Navigate(mine);
    }
}
