#include <QCoreApplication>
#include <QFileInfo>
#include <QPointer>
#include <QVBoxLayout>
#include <QWebEngineLoadingInfo>
#include <QWebEngineProfile>
#include <QWebEngineScript>
#include <QWebEngineSettings>
#include <QWebEngineView>
#include <utility>
#include <vector>

#include "ui/shell/TCppWebBrowser.h"
#include "ui/shell/web_page.h"

namespace {
// The engine has no status line of its own; these are the texts the panes
// report, the last one ending every load as the status strip expects.
const QString kOpening = QStringLiteral("正在打开网页 %1...");
const QString kDone = QStringLiteral("完成");

bool engineStarted = false;
// Panes whose navigation waits for the engine.
std::vector<QPointer<TCppWebBrowser>> waitingPanes;
} // namespace

QWebEngineProfile* TCppWebBrowser::SharedProfile() {
    static QWebEngineProfile* profile = new QWebEngineProfile(QCoreApplication::instance());
    return profile;
}

void TCppWebBrowser::StartEngine() {
    if (engineStarted)
        return;
    engineStarted = true;
    for (const QPointer<TCppWebBrowser>& pane : std::exchange(waitingPanes, {}))
        if (pane && !pane->waiting_.isEmpty())
            pane->Load(std::exchange(pane->waiting_, {}));
}

bool TCppWebBrowser::EngineStarted() {
    return engineStarted;
}

// White like an empty page, so the engine's arrival shows no other colour.
TCppWebBrowser::TCppWebBrowser(QWidget* parent) : QWidget(parent) {
    QPalette white = palette();
    white.setColor(QPalette::Window, Qt::white);
    setPalette(white);
    setAutoFillBackground(true);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
}

QWebEngineView* TCppWebBrowser::View() {
    if (view_ != nullptr)
        return view_;
    view_ = new QWebEngineView(this);
    // Made after the view, so destroyed after it.
    view_->setPage(new TavinorWebPage(SharedProfile(), this));
    view_->setContextMenuPolicy(Qt::DefaultContextMenu);
    if (playbackWithoutGesture_)
        view_->settings()->setAttribute(QWebEngineSettings::PlaybackRequiresUserGesture, false);
    QWebEnginePage* page = view_->page();
    connect(page, &QWebEnginePage::loadStarted, this, [this, page] {
        busy_ = true;
        emit StatusTextChange(kOpening.arg(page->requestedUrl().toString()));
    });
    connect(page, &QWebEnginePage::loadingChanged, this, &TCppWebBrowser::OnLoadingChanged);
    connect(page, &QWebEnginePage::linkHovered, this,
            [this](const QString& url) { emit StatusTextChange(url); });
    layout()->addWidget(view_);
    setFocusProxy(view_);
    // The other panes' waiting navigations go on now that the engine is up.
    StartEngine();
    return view_;
}

QWebEnginePage* TCppWebBrowser::page() {
    return View()->page();
}

QUrl TCppWebBrowser::url() const {
    return view_ ? view_->url() : QUrl();
}

QString TCppWebBrowser::title() const {
    return view_ ? view_->title() : QString();
}

void TCppWebBrowser::Navigate(const QString& address) {
    discarded_.clear();
    const QFileInfo file(address);
    const QUrl url = file.isAbsolute() ? QUrl::fromLocalFile(address) : QUrl(address);
    busy_ = true;
    if (view_ != nullptr || engineStarted) {
        Load(url);
        return;
    }
    if (waiting_.isEmpty())
        waitingPanes.emplace_back(this);
    waiting_ = url;
}

void TCppWebBrowser::Load(const QUrl& url) {
    busy_ = true;
    View()->load(url);
}

void TCppWebBrowser::Stop() {
    waiting_.clear();
    if (view_ != nullptr)
        view_->page()->triggerAction(QWebEnginePage::Stop);
    busy_ = false;
}

void TCppWebBrowser::Discard() {
    if (view_ == nullptr || isVisible())
        return;
    // The view, its page and all the engine keeps for them go, down to the
    // drawing surfaces; the address comes back with the pane.
    discarded_ = view_->url();
    QWebEnginePage* page = view_->page();
    delete std::exchange(view_, nullptr);
    delete page;
    busy_ = false;
}

void TCppWebBrowser::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (view_ == nullptr && !discarded_.isEmpty())
        Load(std::exchange(discarded_, {}));
}

void TCppWebBrowser::OnLoadingChanged(const QWebEngineLoadingInfo& info) {
    if (info.status() == QWebEngineLoadingInfo::LoadStartedStatus)
        return;
    busy_ = false;
    const QString url = info.url().toString();
    // The load's end is reported first, so that an error notice written by
    // the error handler stays in the status line instead of being cleared.
    emit StatusTextChange(kDone);
    if (info.status() == QWebEngineLoadingInfo::LoadFailedStatus)
        emit NavigateError(url, info.errorCode());
    else if (info.status() == QWebEngineLoadingInfo::LoadSucceededStatus)
        emit DocumentComplete(url);
}

TCppWebBrowser::~TCppWebBrowser() {
    alive_.reset();
}

void TCppWebBrowser::ReadDocumentProperty(const QString& name,
                                          std::function<void(const QString&)> done) {
    // The program's own script world: page scripts cannot redefine what it reads.
    page()->runJavaScript(
        QStringLiteral("(function(){try{return String(document['%1']);}catch(e){return '';}})()")
            .arg(name),
        QWebEngineScript::ApplicationWorld,
        [done = std::move(done), alive = std::weak_ptr<bool>(alive_)](const QVariant& value) {
            if (!alive.expired())
                done(value.toString());
        });
}

void TCppWebBrowser::SetElementStyle(const QString& element, const QString& property,
                                     const QString& value) {
    // A document without that element, or an element without a style, is left alone.
    page()->runJavaScript(
        QStringLiteral("(function(){try{var e=document['%1'];if(e&&e.style)e.style['%2']='%3';}"
                       "catch(x){}})()")
            .arg(element, property, value),
        QWebEngineScript::ApplicationWorld);
}
