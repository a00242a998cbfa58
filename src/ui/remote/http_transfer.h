#pragma once
// One GET at a time, run on a thread of its own: the deadline and the size
// bound are kept there, so a busy window thread can neither stretch a request
// past its deadline nor let an endless body pile up in memory.

#include <QByteArray>
#include <QObject>
#include <QUrl>
#include <functional>
#include <memory>

#include "ui/remote/body_inflater.h"

class QNetworkAccessManager;
class QNetworkReply;
class QTimer;

class HttpTransfer : public QObject {
public:
    enum class Outcome { Success, Failure, Exception };
    // Called on the transfer's thread once per started request, unless it is
    // dropped; `body` is empty unless the outcome is Success.
    using Done = std::function<void(Outcome outcome, const QByteArray& body)>;

    HttpTransfer();
    // Drops any request in flight, then starts a GET of `url` that ends
    // within `timeOut` ms and is cut off, as an error status, once its body
    // exceeds `maxBody` bytes (inflated, where it came compressed) or comes
    // in an encoding that was not asked for.
    void Start(const QUrl& url, int timeOut, qint64 maxBody, Done done);
    // Ends the request in flight without an outcome.
    void Drop();

private:
    enum class Cut { None, Deadline, TooLarge, Redirect, BadEncoding, Dropped };
    void ChooseDecoding(QNetworkReply* reply);
    // Adds arrived bytes to the body; the cut they call for, if any.
    Cut Take(const QByteArray& bytes);
    void Read();
    void Stop(Cut cut);
    void Finished(QNetworkReply* reply);
    QNetworkAccessManager* manager_ = nullptr;
    QNetworkReply* reply_ = nullptr;
    QTimer* deadline_;
    QByteArray received_;
    std::unique_ptr<BodyInflater> inflater_; // set while the body comes compressed
    qint64 maxBody_ = 0;
    Cut cut_ = Cut::None;
    Done done_;
};
