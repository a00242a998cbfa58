#include <QDir>
#include <QFile>

#include "support/browser_recorder.h"

namespace {
QString& LogPath() {
    static QString path;
    return path;
}
} // namespace

void InstallBrowserRecorder(const QString& folder) {
    QDir().mkpath(folder);
    LogPath() = folder + "/opened.log";
    QFile script(folder + "/xdg-open");
    script.open(QIODevice::WriteOnly);
    script.write(QString("#!/bin/sh\nprintf '%s\\n' \"$1\" >> '%1'\n").arg(LogPath()).toUtf8());
    script.close();
    script.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    qputenv("PATH", (folder + ":" + qEnvironmentVariable("PATH")).toLocal8Bit());
    // Without a desktop environment Qt hands addresses to xdg-open.
    qunsetenv("XDG_CURRENT_DESKTOP");
    qunsetenv("BROWSER");
}

QStringList OpenedAddresses() {
    QFile log(LogPath());
    if (!log.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(log.readAll()).split('\n', Qt::SkipEmptyParts);
}

void ClearOpenedAddresses() {
    QFile::remove(LogPath());
}
