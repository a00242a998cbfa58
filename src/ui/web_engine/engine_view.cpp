#include <QWebEngineHttpRequest>
#include <QWebEngineLoadingInfo>
#include <QWebEngineScript>
#include <QWebEngineSettings>
#include <QWebEngineView>
#include <utility>

#include "ui/web_engine/engine_view.h"
#include "ui/web_engine/web_page.h"

PaneEngineView::PaneEngineView(QWebEngineProfile* profile, QWidget* pane, EngineViewEvents* events,
                               bool playbackWithoutGesture)
    : view_(new QWebEngineView(pane)) {
    // Made after the view, so destroyed after it.
    view_->setPage(new TavinorWebPage(profile, events, pane));
    view_->setContextMenuPolicy(Qt::DefaultContextMenu);
    if (playbackWithoutGesture)
        view_->settings()->setAttribute(QWebEngineSettings::PlaybackRequiresUserGesture, false);
    QWebEnginePage* page = view_->page();
    QObject::connect(page, &QWebEnginePage::loadStarted, view_,
                     [events, page] { events->LoadStarted(page->requestedUrl().toString()); });
    QObject::connect(
        page, &QWebEnginePage::loadingChanged, view_, [events](const QWebEngineLoadingInfo& info) {
            if (info.status() == QWebEngineLoadingInfo::LoadStartedStatus)
                return;
            const LoadEnd end =
                info.status() == QWebEngineLoadingInfo::LoadSucceededStatus ? LoadEnd::Succeeded
                : info.status() == QWebEngineLoadingInfo::LoadFailedStatus  ? LoadEnd::Failed
                                                                            : LoadEnd::Stopped;
            events->LoadEnded(info.url().toString(), end, info.errorCode());
        });
    QObject::connect(page, &QWebEnginePage::linkHovered, view_,
                     [events](const QString& url) { events->LinkHovered(url); });
}

PaneEngineView::~PaneEngineView() {
    QWebEnginePage* page = view_->page();
    delete std::exchange(view_, nullptr);
    delete page;
}

QWidget* PaneEngineView::Widget() {
    return view_;
}

QWebEnginePage* PaneEngineView::Page() {
    return view_->page();
}

void PaneEngineView::Load(const QUrl& url, bool revalidate) {
    QWebEngineHttpRequest request(url);
    // What a reload sends: the cache may keep the page, but not answer with it unasked.
    if (revalidate && url.scheme().startsWith("http"))
        request.setHeader("Cache-Control", "max-age=0");
    view_->load(request);
}

void PaneEngineView::Stop() {
    view_->page()->triggerAction(QWebEnginePage::Stop);
}

QUrl PaneEngineView::Url() const {
    return view_->url();
}

QString PaneEngineView::Title() const {
    return view_->title();
}

void PaneEngineView::RunScript(const QString& script, std::function<void(const QVariant&)> done) {
    if (done)
        view_->page()->runJavaScript(script, QWebEngineScript::ApplicationWorld, std::move(done));
    else
        view_->page()->runJavaScript(script, QWebEngineScript::ApplicationWorld);
}
