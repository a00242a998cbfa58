// The browser panes' events: the status line, new windows handed to the
// system browser, and the network notices.
#include <QLabel>
#include <QLineEdit>

#include "platform/platform.h"
#include "ui/shell/TCppWebBrowser.h"
#include "ui/shell/TForm1.h"
#include "ui/text/gbk_codec.h"

namespace {
const QString kNetworkNotice = QStringLiteral("请检查您的网络是否正常！");
} // namespace

void TForm1::SetUpPanes() {
    for (TCppWebBrowser* pane : {CppWebBrowser1, mineWebBrowser, CppWebBrowser3}) {
        connect(pane, &TCppWebBrowser::StatusTextChange, this,
                &TForm1::CppWebBrowser1StatusTextChange);
        connect(pane, &TCppWebBrowser::NewWindow2, this, &TForm1::CppWebBrowser1NewWindow2);
    }
    connect(CppWebBrowser2, &TCppWebBrowser::BeforeNavigate2, this,
            &TForm1::CppWebBrowser2BeforeNavigate2);
    connect(CppWebBrowser1, &TCppWebBrowser::NavigateError, this,
            &TForm1::CppWebBrowser1NavigateError);
    connect(CppWebBrowser3, &TCppWebBrowser::NavigateError, this,
            &TForm1::CppWebBrowser3NavigateError);
}

// Every pane writes into the one status line; the end of a load clears it.
void TForm1::CppWebBrowser1StatusTextChange(const QString& text) {
    // The line shows what the code page can hold, as the data file would.
    Edit2->setText(FromGbk(ToGbk(text)));
    const QString shown = Edit2->text();
    if (shown.contains("完成") || shown.contains("完毕"))
        Edit2->setText("");
}

// New windows go to the invisible catcher pane, which hands them on.
void TForm1::CppWebBrowser1NewWindow2(TCppWebBrowser** target, bool*) {
    *target = CppWebBrowser2;
}

void TForm1::CppWebBrowser2BeforeNavigate2(const QString& url, bool* cancel) {
    platform::OpenInSystemBrowser(url.toStdString());
    *cancel = true;
}

void TForm1::CppWebBrowser1NavigateError(const QString&, int) {
    Edit2->setText(kNetworkNotice);
    CppWebBrowser1->hide();
    mok_label->show();
}

void TForm1::CppWebBrowser3NavigateError(const QString&, int) {
    Edit2->setText(kNetworkNotice);
    Edit7->hide();
    mok_label->show();
    CppWebBrowser3->hide();
}
