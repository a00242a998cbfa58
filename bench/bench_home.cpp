#include <QDir>

#include "bench_home.h"
#include "platform/platform.h"

BenchHome::BenchHome() {
    qputenv("HOME", dir_.path().toLocal8Bit());
    qputenv("XDG_DATA_HOME", (dir_.path() + "/data").toLocal8Bit());
    qputenv("TAVINOR_SITE", "http://127.0.0.1:9");
    platform::PrepareProcess();
}

QString BenchHome::DataFolder() const {
    const QString data = dir_.path() + "/data/tavinor";
    QDir().mkpath(data);
    return data;
}
