#pragma once
// One HTTP GET at a time with a deadline, reporting one of three outcomes:
// Success (a complete response with a success status), Failure (a response
// with an error status) or Exception (no connection, no answer in time, a
// broken transfer). The transfer runs on a thread of its own and never blocks
// the window thread; the outcome events are raised on the window thread.

#include <QByteArray>
#include <QObject>
#include <QString>
#include <QThread>

#include "ui/remote/http_transfer.h"

class TNMHTTP : public QObject {
    Q_OBJECT
public:
    explicit TNMHTTP(QObject* parent);
    ~TNMHTTP() override;

    int TimeOut = 10000; // milliseconds for the whole request
    // True: a successful body replaces the file named in Body, only once it
    // is complete. False: it is kept in Text.
    bool InputFileMode = false;
    QString Body;
    QByteArray Text;
    // A larger body is cut off as it arrives and counts as an error status.
    qint64 MaxBodySize = 0;

    void Get(const QString& url);
    // Drops the request in flight without any outcome.
    void Disconnect();
    bool Busy() const { return request_ != 0; }

signals:
    void OnSuccess();
    void OnFailure();
    void OnException();

private:
    void Deliver(quint64 request, HttpTransfer::Outcome outcome, const QByteArray& body);
    QThread thread_;
    HttpTransfer* transfer_;
    quint64 issued_ = 0;
    quint64 request_ = 0; // the request in flight, 0 when none
};
