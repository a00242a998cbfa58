#include <QFileInfo>
#include <QLabel>
#include <QPointer>
#include <QVBoxLayout>
#include <QVariant>
#include <utility>
#include <vector>

#include "ui/shell/TCppWebBrowser.h"
#include "ui/shell/web_engine_loader.h"

namespace {
// The engine has no status line of its own; these are the texts the panes
// report, the last one ending every load as the status strip expects.
const QString kOpening = QStringLiteral("正在打开网页 %1...");
const QString kDone = QStringLiteral("完成");
const QString kNoEngine = QStringLiteral("无法显示网页：网页组件未能载入。\n%1");

bool engineStarted = false;
// Panes whose navigation waits for the engine.
std::vector<QPointer<TCppWebBrowser>> waitingPanes;
} // namespace

void TCppWebBrowser::StartEngine() {
    if (engineStarted)
        return;
    engineStarted = true;
    for (const QPointer<TCppWebBrowser>& pane : std::exchange(waitingPanes, {}))
        if (pane && !pane->waiting_.isEmpty())
            pane->Load(std::exchange(pane->waiting_, {}), pane->waitingRevalidates_);
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

EngineView* TCppWebBrowser::View() {
    if (view_ != nullptr)
        return view_.get();
    WebEngineModule* module = LoadWebEngine();
    if (module == nullptr) {
        if (missingEngine_ == nullptr) {
            missingEngine_ = new QLabel(kNoEngine.arg(WebEngineLoadError()), this);
            missingEngine_->setAlignment(Qt::AlignCenter);
            missingEngine_->setWordWrap(true);
            layout()->addWidget(missingEngine_);
            missingEngine_->show();
        }
        return nullptr;
    }
    view_.reset(module->CreateView(this, this, playbackWithoutGesture_));
    QWidget* view = view_->Widget();
    layout()->addWidget(view);
    // Laid out and shown before its first load, so that the page sees its own size.
    layout()->activate();
    view->show();
    setFocusProxy(view);
    // The other panes' waiting navigations go on now that the engine is up.
    StartEngine();
    return view_.get();
}

QWebEnginePage* TCppWebBrowser::page() {
    EngineView* view = View();
    return view ? view->Page() : nullptr;
}

QUrl TCppWebBrowser::url() const {
    return view_ ? view_->Url() : QUrl();
}

QString TCppWebBrowser::title() const {
    return view_ ? view_->Title() : QString();
}

void TCppWebBrowser::Navigate(const QString& address, bool revalidate) {
    discarded_.clear();
    const QFileInfo file(address);
    const QUrl url = file.isAbsolute() ? QUrl::fromLocalFile(address) : QUrl(address);
    busy_ = true;
    if (view_ != nullptr || engineStarted) {
        Load(url, revalidate);
        return;
    }
    if (waiting_.isEmpty())
        waitingPanes.emplace_back(this);
    waiting_ = url;
    waitingRevalidates_ = revalidate;
}

void TCppWebBrowser::Load(const QUrl& url, bool revalidate) {
    EngineView* view = View();
    busy_ = view != nullptr;
    if (view != nullptr)
        view->Load(url, revalidate);
}

void TCppWebBrowser::Stop() {
    waiting_.clear();
    if (view_ != nullptr)
        view_->Stop();
    busy_ = false;
}

void TCppWebBrowser::Discard() {
    if (view_ == nullptr || isVisible())
        return;
    // A blank page comes back as the plain white pane it already is.
    const QUrl shown = view_->Url();
    discarded_ = shown == QUrl("about:blank") ? QUrl() : shown;
    view_.reset();
    busy_ = false;
}

// A page given back comes again as it was left: from the cache where it may.
void TCppWebBrowser::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (view_ == nullptr && !discarded_.isEmpty())
        Load(std::exchange(discarded_, {}), false);
}

void TCppWebBrowser::LoadStarted(const QString& url) {
    busy_ = true;
    emit StatusTextChange(kOpening.arg(url));
}

void TCppWebBrowser::LoadEnded(const QString& url, LoadEnd end, int errorCode) {
    busy_ = false;
    // The load's end is reported first, so that an error notice written by
    // the error handler stays in the status line instead of being cleared.
    emit StatusTextChange(kDone);
    if (end == LoadEnd::Failed)
        emit NavigateError(url, errorCode);
    else if (end == LoadEnd::Succeeded)
        emit DocumentComplete(url);
}

void TCppWebBrowser::LinkHovered(const QString& url) {
    emit StatusTextChange(url);
}

bool TCppWebBrowser::AcceptNavigation(const QString& url) {
    bool cancel = false;
    emit BeforeNavigate2(url, &cancel);
    return !cancel;
}

QWebEnginePage* TCppWebBrowser::NewWindowPage() {
    TCppWebBrowser* target = nullptr;
    bool cancel = false;
    emit NewWindow2(&target, &cancel);
    if (cancel || target == nullptr)
        return nullptr;
    return target->page();
}

TCppWebBrowser::~TCppWebBrowser() {
    alive_.reset();
    view_.reset();
}

void TCppWebBrowser::RunScript(const QString& script, std::function<void(const QVariant&)> done) {
    if (EngineView* view = View())
        view->RunScript(script, std::move(done));
}

void TCppWebBrowser::ReadDocumentProperty(const QString& name,
                                          std::function<void(const QString&)> done) {
    // The program's own script world: page scripts cannot redefine what it reads.
    RunScript(
        QStringLiteral("(function(){try{return String(document['%1']);}catch(e){return '';}})()")
            .arg(name),
        [done = std::move(done), alive = std::weak_ptr<bool>(alive_)](const QVariant& value) {
            if (!alive.expired())
                done(value.toString());
        });
}

void TCppWebBrowser::SetElementStyle(const QString& element, const QString& property,
                                     const QString& value) {
    // A document without that element, or an element without a style, is left alone.
    RunScript(
        QStringLiteral("(function(){try{var e=document['%1'];if(e&&e.style)e.style['%2']='%3';}"
                       "catch(x){}})()")
            .arg(element, property, value));
}
