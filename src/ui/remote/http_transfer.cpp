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
    // Asked for by us, a compressed body is inflated by us, under the bound;
    // the network stack's own inflating would not stop at it.
    request.setRawHeader("Accept-Encoding", "gzip, deflate");
    cut_ = Cut::None;
    received_.clear();
    inflater_.reset();
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
        ChooseDecoding(reply);
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

void HttpTransfer::ChooseDecoding(QNetworkReply* reply) {
    const QByteArray encoding = reply->rawHeader("Content-Encoding").trimmed().toLower();
    inflater_.reset();
    if (encoding == "gzip" || encoding == "x-gzip" || encoding == "deflate")
        inflater_ = std::make_unique<BodyInflater>();
    else if (!encoding.isEmpty() && encoding != "identity")
        Stop(Cut::BadEncoding);
}

HttpTransfer::Cut HttpTransfer::Take(const QByteArray& bytes) {
    if (!inflater_) {
        received_ += bytes;
        return received_.size() > maxBody_ ? Cut::TooLarge : Cut::None;
    }
    switch (inflater_->Inflate(bytes, received_, maxBody_)) {
    case BodyInflater::Result::Ok:
        return Cut::None;
    case BodyInflater::Result::TooLarge:
        return Cut::TooLarge;
    case BodyInflater::Result::Broken:
        break;
    }
    return Cut::BadEncoding;
}

void HttpTransfer::Read() {
    if (reply_ && cut_ == Cut::None)
        if (const Cut cut = Take(reply_->readAll()); cut != Cut::None)
            Stop(cut);
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
    if (cut_ == Cut::None)
        cut_ = Take(reply->readAll());
    // A compressed body cut short is no body.
    if (cut_ == Cut::None && inflater_ && reply->error() == QNetworkReply::NoError &&
        !inflater_->Complete())
        cut_ = Cut::BadEncoding;
    const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    Outcome outcome = Outcome::Exception;
    switch (cut_) {
    case Cut::Deadline:
    case Cut::Dropped:
        break;
    case Cut::TooLarge:
    case Cut::Redirect:
    case Cut::BadEncoding:
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
