#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QTimer>
#include <utility>

#include "ui/remote/http_transfer.h"

namespace {
constexpr int kMaxRedirects = 5;
// What the network stack may hold for a reply between two reads of ours.
constexpr qint64 kReadBuffer = 64 * 1024;
} // namespace

HttpTransfer::HttpTransfer() : deadline_(new QTimer(this)) {
    deadline_->setSingleShot(true);
    // A coarse timer may fire up to 5 % early; the deadline is the deadline.
    deadline_->setTimerType(Qt::PreciseTimer);
    connect(deadline_, &QTimer::timeout, this, [this] { Stop(Cut::Deadline); });
}

void HttpTransfer::Start(const QUrl& url, int timeOut, qint64 maxBody, Done done) {
    Drop();
    if (!manager_)
        manager_ = new QNetworkAccessManager(this);
    QNetworkRequest request{url};
    // Each redirect is checked: only to web addresses, and only a few.
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute,
                         QNetworkRequest::UserVerifiedRedirectPolicy);
    request.setMaximumRedirectsAllowed(kMaxRedirects);
    request.setAttribute(QNetworkRequest::CacheLoadControlAttribute,
                         QNetworkRequest::AlwaysNetwork);
    request.setTransferTimeout(timeOut);
    cut_ = Cut::None;
    received_.clear();
    maxBody_ = maxBody;
    done_ = std::move(done);
    QNetworkReply* reply = manager_->get(request);
    reply_ = reply;
    // Without a bound the stack reads on while we are not reading.
    reply->setReadBufferSize(kReadBuffer);
    connect(reply, &QNetworkReply::redirected, this, [this, reply](const QUrl& target) {
        if (target.scheme() == "http" || target.scheme() == "https")
            emit reply->redirectAllowed();
        else
            Stop(Cut::Redirect);
    });
    // A declared length above the bound is refused before its body comes.
    connect(reply, &QNetworkReply::metaDataChanged, this, [this, reply] {
        if (reply->header(QNetworkRequest::ContentLengthHeader).toLongLong() > maxBody_)
            Stop(Cut::TooLarge);
    });
    connect(reply, &QNetworkReply::readyRead, this, &HttpTransfer::Read);
    connect(reply, &QNetworkReply::finished, this, [this, reply] { Finished(reply); });
    deadline_->start(timeOut);
}

void HttpTransfer::Drop() {
    deadline_->stop();
    done_ = nullptr;
    if (QNetworkReply* reply = std::exchange(reply_, nullptr)) {
        reply->disconnect(this);
        reply->abort();
        reply->deleteLater();
    }
}

void HttpTransfer::Read() {
    if (!reply_ || cut_ != Cut::None)
        return;
    received_ += reply_->readAll();
    if (received_.size() > maxBody_)
        Stop(Cut::TooLarge);
}

void HttpTransfer::Stop(Cut cut) {
    if (!reply_ || cut_ != Cut::None)
        return;
    cut_ = cut;
    reply_->abort();
}

void HttpTransfer::Finished(QNetworkReply* reply) {
    if (reply != reply_)
        return;
    reply_ = nullptr;
    deadline_->stop();
    reply->deleteLater();
    if (cut_ == Cut::None) {
        received_ += reply->readAll();
        if (received_.size() > maxBody_)
            cut_ = Cut::TooLarge;
    }
    const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    Outcome outcome = Outcome::Exception;
    switch (cut_) {
    case Cut::Deadline:
    case Cut::Dropped:
        break;
    case Cut::TooLarge:
    case Cut::Redirect:
        outcome = Outcome::Failure;
        break;
    case Cut::None:
        if (reply->error() == QNetworkReply::NoError && status >= 200 && status < 300)
            outcome = Outcome::Success;
        else if (status >= 300)
            outcome = Outcome::Failure;
        break;
    }
    const QByteArray body = outcome == Outcome::Success ? received_ : QByteArray();
    received_.clear();
    if (const Done done = std::exchange(done_, nullptr))
        done(outcome, body);
}
