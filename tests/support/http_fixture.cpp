#include <QDeadlineTimer>
#include <QEventLoop>
#include <QNetworkAccessManager>
#include <QNetworkReply>

#include "support/http_fixture.h"
#include "support/waits.h"

HttpServer::HttpServer(const QString& root) {
    process_.setProgram("python3");
    process_.setArguments({TAVINOR_TEST_SERVER, "--root", root, "--exit-on-stdin-eof"});
    process_.start();
    if (!process_.waitForStarted(Limit(10000)))
        return;
    QDeadlineTimer deadline(Limit(10000));
    while (port_ == 0 && !deadline.hasExpired()) {
        if (!process_.canReadLine() && !process_.waitForReadyRead(100))
            continue;
        const QByteArray line = process_.readLine().trimmed();
        if (line.startsWith("PORT "))
            port_ = line.mid(5).toInt();
    }
}

HttpServer::~HttpServer() {
    process_.closeWriteChannel();
    process_.terminate();
    if (!process_.waitForFinished(3000))
        process_.kill();
}

QString HttpServer::Url(const QString& path) const {
    return QString("http://127.0.0.1:%1%2").arg(port_).arg(path);
}

QStringList HttpServer::RequestLog() const {
    QStringList paths = Lines("/log");
    paths.removeAll("/log");
    return paths;
}

QStringList HttpServer::EndedStreams() const {
    return Lines("/log/ended");
}

QStringList HttpServer::Lines(const QString& path) const {
    QNetworkAccessManager manager;
    QNetworkReply* reply = manager.get(QNetworkRequest(QUrl(Url(path))));
    QEventLoop loop;
    QObject::connect(reply, &QNetworkReply::finished, &loop, &QEventLoop::quit);
    loop.exec();
    const QString body = QString::fromUtf8(reply->readAll());
    reply->deleteLater();
    return body.split('\n', Qt::SkipEmptyParts);
}
