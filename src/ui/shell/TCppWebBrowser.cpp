#include <QCoreApplication>
#include <QFileInfo>
#include <QWebEngineLoadingInfo>
#include <QWebEngineProfile>
#include <QWebEngineScript>

#include "ui/shell/TCppWebBrowser.h"
#include "ui/shell/web_page.h"

namespace {
// The engine has no status line of its own; these are the texts the panes
// report, the last one ending every load as the status strip expects.
const QString kOpening = QStringLiteral("正在打开网页 %1...");
const QString kDone = QStringLiteral("完成");
} // namespace

QWebEngineProfile* TCppWebBrowser::SharedProfile() {
    static QWebEngineProfile* profile = new QWebEngineProfile(QCoreApplication::instance());
    return profile;
}

TCppWebBrowser::TCppWebBrowser(QWidget* parent) : QWebEngineView(parent) {
    setPage(new TavinorWebPage(SharedProfile(), this));
    setContextMenuPolicy(Qt::DefaultContextMenu);
    connect(page(), &QWebEnginePage::loadStarted, this, [this] {
        busy_ = true;
        emit StatusTextChange(kOpening.arg(page()->requestedUrl().toString()));
    });
    connect(page(), &QWebEnginePage::loadingChanged, this, &TCppWebBrowser::OnLoadingChanged);
    connect(page(), &QWebEnginePage::linkHovered, this,
            [this](const QString& url) { emit StatusTextChange(url); });
}

void TCppWebBrowser::Navigate(const QString& address) {
    const QFileInfo file(address);
    const QUrl url = file.isAbsolute() ? QUrl::fromLocalFile(address) : QUrl(address);
    busy_ = true;
    load(url);
}

void TCppWebBrowser::Stop() {
    page()->triggerAction(QWebEnginePage::Stop);
    busy_ = false;
}

void TCppWebBrowser::Discard() {
    using State = QWebEnginePage::LifecycleState;
    if (page()->isVisible() || url().isEmpty() || page()->lifecycleState() == State::Discarded)
        return;
    busy_ = false;
    page()->setLifecycleState(State::Discarded);
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

void TCppWebBrowser::ReadDocumentProperty(const QString& name,
                                          std::function<void(const QString&)> done) {
    // The program's own script world: page scripts cannot redefine what it reads.
    page()->runJavaScript(
        QStringLiteral("(function(){try{return String(document['%1']);}catch(e){return '';}})()")
            .arg(name),
        QWebEngineScript::ApplicationWorld,
        [done = std::move(done)](const QVariant& value) { done(value.toString()); });
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
