#include <QNetworkAccessManager>
#include <QNetworkReply>

#include "core/store/replace_file.h"
#include "ui/remote/TNMHTTP.h"

namespace {
constexpr int kMaxRedirects = 5;
}

TNMHTTP::TNMHTTP(QObject* parent) : QObject(parent), manager_(new QNetworkAccessManager(this)) {
    deadline_.setSingleShot(true);
    connect(&deadline_, &QTimer::timeout, this, [this] { Stop(Cut::Deadline); });
}

void TNMHTTP::Get(const QString& url) {
    Disconnect();
    QNetworkRequest request{QUrl(url)};
    // Each redirect is checked: only to web addresses, and only a few.
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute,
                         QNetworkRequest::UserVerifiedRedirectPolicy);
    request.setMaximumRedirectsAllowed(kMaxRedirects);
    request.setAttribute(QNetworkRequest::CacheLoadControlAttribute,
                         QNetworkRequest::AlwaysNetwork);
    cut_ = Cut::None;
    received_.clear();
    Text.clear();
    reply_ = manager_->get(request);
    connect(reply_, &QNetworkReply::redirected, this, [this](const QUrl& target) {
        if (target.scheme() == "http" || target.scheme() == "https")
            emit reply_->redirectAllowed();
        else
            Stop(Cut::Redirect);
    });
    connect(reply_, &QNetworkReply::readyRead, this, &TNMHTTP::Read);
    connect(reply_, &QNetworkReply::finished, this, &TNMHTTP::Finished);
    deadline_.start(TimeOut);
}

void TNMHTTP::Disconnect() {
    if (reply_)
        Stop(Cut::Dropped);
}

void TNMHTTP::Read() {
    received_ += reply_->readAll();
    if (received_.size() > MaxBodySize)
        Stop(Cut::TooLarge);
}

void TNMHTTP::Stop(Cut cut) {
    if (!reply_ || cut_ != Cut::None)
        return;
    cut_ = cut;
    reply_->abort();
}

void TNMHTTP::Finished() {
    QNetworkReply* reply = reply_;
    if (!reply || sender() != reply)
        return;
    reply_ = nullptr;
    deadline_.stop();
    reply->deleteLater();
    if (cut_ == Cut::None)
        received_ += reply->readAll();
    const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    const bool complete = cut_ == Cut::None && reply->error() == QNetworkReply::NoError;
    switch (cut_) {
    case Cut::Dropped:
        return;
    case Cut::Deadline:
        emit OnException();
        return;
    case Cut::TooLarge:
    case Cut::Redirect:
        emit OnFailure();
        return;
    case Cut::None:
        break;
    }
    if (complete && status >= 200 && status < 300) {
        if (!InputFileMode) {
            Text = received_;
        } else if (ReplaceFile(Body.toStdString(), received_.toStdString()) != 0) {
            emit OnException();
            return;
        }
        emit OnSuccess();
    } else if (status >= 300) {
        emit OnFailure();
    } else {
        emit OnException();
    }
}
