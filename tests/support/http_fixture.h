#pragma once
// A real HTTP server on 127.0.0.1 for the window tests: the loopback test
// server serving a folder, plus its special paths (/status/N, /hang, /stream/..., /log).

#include <QProcess>
#include <QString>

class HttpServer {
public:
    explicit HttpServer(const QString& root);
    ~HttpServer();
    bool Started() const { return port_ > 0; }
    QString Url(const QString& path) const;
    // The paths requested so far, in order.
    QStringList RequestLog() const;
    // "<path> <ms>" for each endless body the client ended, in order.
    QStringList EndedStreams() const;

private:
    QStringList Lines(const QString& path) const;
    QProcess process_;
    int port_ = 0;
};
