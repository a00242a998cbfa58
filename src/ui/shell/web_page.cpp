#include "ui/shell/web_page.h"
#include "ui/shell/TCppWebBrowser.h"

TavinorWebPage::TavinorWebPage(QWebEngineProfile* profile, TCppWebBrowser* pane)
    : QWebEnginePage(profile, pane), pane_(pane) {}

bool TavinorWebPage::acceptNavigationRequest(const QUrl& url, NavigationType type,
                                             bool isMainFrame) {
    if (!isMainFrame)
        return QWebEnginePage::acceptNavigationRequest(url, type, isMainFrame);
    bool cancel = false;
    emit pane_->BeforeNavigate2(url.toString(), &cancel);
    return !cancel;
}

QWebEnginePage* TavinorWebPage::createWindow(WebWindowType) {
    TCppWebBrowser* target = nullptr;
    bool cancel = false;
    emit pane_->NewWindow2(&target, &cancel);
    // No answer means no window: the application never opens one of its own.
    if (cancel || target == nullptr)
        return nullptr;
    return target->page();
}
