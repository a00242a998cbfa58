#pragma once
// One HTTP GET at a time with a deadline, reporting one of three outcomes:
// Success (a complete response with a success status), Failure (a response
// with an error status) or Exception (no connection, no answer in time, a
// broken transfer). Runs on the window thread without blocking it.

#include <QByteArray>
#include <QObject>
#include <QString>
#include <QTimer>

class QNetworkAccessManager;
class QNetworkReply;

class TNMHTTP : public QObject {
    Q_OBJECT
public:
    explicit TNMHTTP(QObject* parent);

    int TimeOut = 10000; // milliseconds for the whole request
    // True: a successful body replaces the file named in Body, only once it
    // is complete. False: it is kept in Text.
    bool InputFileMode = false;
    QString Body;
    QByteArray Text;
    // A larger body is cut off and counts as an error status.
    qint64 MaxBodySize = 0;

    void Get(const QString& url);
    // Drops the request in flight without any outcome.
    void Disconnect();
    bool Busy() const { return reply_ != nullptr; }

signals:
    void OnSuccess();
    void OnFailure();
    void OnException();

private:
    enum class Cut { None, Deadline, TooLarge, Redirect, Dropped };
    void Read();
    void Stop(Cut cut);
    void Finished();
    QNetworkAccessManager* manager_;
    QNetworkReply* reply_ = nullptr;
    QTimer deadline_;
    QByteArray received_;
    Cut cut_ = Cut::None;
};
