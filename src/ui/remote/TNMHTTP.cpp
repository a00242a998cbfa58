#include "ui/remote/TNMHTTP.h"
#include "core/store/replace_file.h"

TNMHTTP::TNMHTTP(QObject* parent) : QObject(parent), transfer_(new HttpTransfer) {
    thread_.setObjectName("TNMHTTP");
    transfer_->moveToThread(&thread_);
    connect(&thread_, &QThread::finished, transfer_, &QObject::deleteLater);
    thread_.start();
}

TNMHTTP::~TNMHTTP() {
    thread_.quit();
    thread_.wait();
}

void TNMHTTP::Get(const QString& url) {
    Disconnect();
    Text.clear();
    const quint64 request = request_ = ++issued_;
    auto done = [this, request](HttpTransfer::Outcome outcome, const QByteArray& body) {
        QMetaObject::invokeMethod(
            this, [this, request, outcome, body] { Deliver(request, outcome, body); },
            Qt::QueuedConnection);
    };
    QMetaObject::invokeMethod(
        transfer_,
        [transfer = transfer_, url = QUrl(url), timeOut = TimeOut, maxBody = MaxBodySize, done] {
            transfer->Start(url, timeOut, maxBody, done);
        },
        Qt::QueuedConnection);
}

void TNMHTTP::Disconnect() {
    if (request_ == 0)
        return;
    request_ = 0;
    QMetaObject::invokeMethod(transfer_, &HttpTransfer::Drop, Qt::QueuedConnection);
}

// An outcome of a dropped request comes too late and is not for anyone.
void TNMHTTP::Deliver(quint64 request, HttpTransfer::Outcome outcome, const QByteArray& body) {
    if (request != request_)
        return;
    request_ = 0;
    switch (outcome) {
    case HttpTransfer::Outcome::Success:
        if (!InputFileMode) {
            Text = body;
        } else if (ReplaceFile(Body.toStdString(), body.toStdString()) != 0) {
            emit OnException();
            return;
        }
        emit OnSuccess();
        return;
    case HttpTransfer::Outcome::Failure:
        emit OnFailure();
        return;
    case HttpTransfer::Outcome::Exception:
        emit OnException();
        return;
    }
}
