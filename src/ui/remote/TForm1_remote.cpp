// The product site's logo and settings, fetched at start and retried until
// the settings arrive. The requests never block the window thread: each
// client's outcome event moves the sequence on.
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QMouseEvent>
#include <QTimer>

#include "core/remote/setting_text.h"
#include "core/shell/documents_path.h"
#include "core/shell/site_address.h"
#include "platform/platform.h"
#include "ui/remote/TNMHTTP.h"
#include "ui/remote/netThread.h"
#include "ui/shell/TForm1.h"
#include "ui/text/gbk_codec.h"

namespace {

constexpr qint64 kMaxSettingSize = 64 * 1024;
constexpr qint64 kMaxLogoSize = 2 * 1024 * 1024;

// Runs `clicked` on a left click on the watched control.
class ClickWatcher : public QObject {
public:
    ClickWatcher(QObject* parent, std::function<void()> clicked)
        : QObject(parent), clicked_(std::move(clicked)) {}
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::MouseButtonRelease &&
            static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton)
            clicked_();
        return false;
    }

private:
    std::function<void()> clicked_;
};

QString SiteUrl(const char* path) {
    return QString::fromStdString(ProductSiteBase()) + path;
}

} // namespace

void TForm1::BuildRemote() {
    Timer1 = new QTimer(this);
    Timer1->setInterval(30000);
    connect(Timer1, &QTimer::timeout, this, &TForm1::Timer1Timer);
    NMHTTP1 = new TNMHTTP(this);
    NMHTTP2 = new TNMHTTP(this);
    // The logo's outcome decides the timer first; the settings follow either way.
    connect(NMHTTP1, &TNMHTTP::OnSuccess, this, [this] {
        NMHTTP1Success();
        RequestSettings();
    });
    connect(NMHTTP1, &TNMHTTP::OnFailure, this, [this] {
        NMHTTP1Failure();
        RequestSettings();
    });
    connect(NMHTTP2, &TNMHTTP::OnSuccess, this, [this] {
        fetchRunning_ = false;
        NMHTTP2Success();
    });
    connect(NMHTTP2, &TNMHTTP::OnFailure, this, [this] {
        fetchRunning_ = false;
        NMHTTP2Failure();
    });
    for (TNMHTTP* client : {NMHTTP1, NMHTTP2})
        connect(client, &TNMHTTP::OnException, this, [this] { fetchRunning_ = false; });
    // The caption comes from the site: shown as text, never as markup.
    Edit7->setTextFormat(Qt::PlainText);
    Edit7->installEventFilter(new ClickWatcher(Edit7, [this] { Edit7Click(); }));
}

void TForm1::StartNetThread() {
    netThread1 = new netThread(this, true);
    netThread1->start();
}

void TForm1::CloseRemote() {
    Timer1->stop();
    NMHTTP1->Disconnect();
    NMHTTP2->Disconnect();
    fetchRunning_ = false;
    if (netThread1) {
        netThread1->Terminate();
        netThread1->wait();
        delete netThread1;
        netThread1 = nullptr;
    }
}

void TForm1::FetchRemoteFiles() {
    // A retry tick while a fetch is under way waits for the next tick.
    if (closed_ || fetchRunning_)
        return;
    fetchRunning_ = true;
    const QString logo = QString::fromStdString(
        DocumentsFilePath(platform::DocumentsDirectory(), "tavinor_logo.jpg"));
    if (QFileInfo::exists(logo)) {
        RequestSettings();
        return;
    }
    NMHTTP1->TimeOut = remoteTimeOut;
    NMHTTP1->InputFileMode = true;
    NMHTTP1->Body = logo;
    NMHTTP1->MaxBodySize = kMaxLogoSize;
    NMHTTP1->Get(SiteUrl("/images/tavinor_logo.jpg"));
}

void TForm1::RequestSettings() {
    NMHTTP2->TimeOut = remoteTimeOut;
    NMHTTP2->InputFileMode = false;
    NMHTTP2->MaxBodySize = kMaxSettingSize;
    NMHTTP2->Get(SiteUrl("/setting.txt"));
}

void TForm1::NMHTTP1Success() {
    Timer1->stop();
}

void TForm1::NMHTTP1Failure() {
    Timer1->start();
}

void TForm1::NMHTTP2Failure() {
    Timer1->start();
}

void TForm1::NMHTTP2Success() {
    const QByteArray& body = NMHTTP2->Text;
    ApplySettingText(std::string_view(body.constData(), body.size()), remote, recommendedPlayers,
                     siteCatalogue);
    RefreshSiteMenus();
    RefreshPlayerList();
    Edit7->setText(FromGbk(remote.text, sizeof remote.text));
    if (remote.isLink == 1)
        Edit7->setCursor(Qt::PointingHandCursor);
    QFile::remove(QDir(QCoreApplication::applicationDirPath()).filePath("Head.txt"));
    Timer1->stop();
}

void TForm1::Timer1Timer() {
    FetchRemoteFiles();
}

// The address goes through the one policy: only web addresses are opened.
void TForm1::Edit7Click() {
    if (remote.isLink == 1)
        platform::OpenInSystemBrowser(
            FromGbk(remote.link_url, sizeof remote.link_url).toStdString());
}
