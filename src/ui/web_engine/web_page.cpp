#include "ui/web_engine/web_page.h"
#include "ui/shell/web_engine_module.h"

TavinorWebPage::TavinorWebPage(QWebEngineProfile* profile, EngineViewEvents* events,
                               QObject* parent)
    : QWebEnginePage(profile, parent), events_(events) {}

bool TavinorWebPage::acceptNavigationRequest(const QUrl& url, NavigationType type,
                                             bool isMainFrame) {
    if (!isMainFrame)
        return QWebEnginePage::acceptNavigationRequest(url, type, isMainFrame);
    return events_->AcceptNavigation(url.toString());
}

// No answer means no window: the application never opens one of its own.
QWebEnginePage* TavinorWebPage::createWindow(WebWindowType) {
    return events_->NewWindowPage();
}
