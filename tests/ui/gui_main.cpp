// Window tests share one QApplication, made as the program makes its own: the
// engine's views drawn in software, and WebEngine, which refuses to start as
// root with its sandbox on, told so first.
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <cstdio>
#include <cstdlib>
#include <gtest/gtest.h>

#include "platform/platform.h"
#include "support/browser_recorder.h"
#include "ui/shell/web_engine_loader.h"

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    // Listing the cases needs no display.
    if (GTEST_FLAG_GET(list_tests))
        return RUN_ALL_TESTS();
    // Never touch the user's files: HOME and the XDG folders live in a temporary folder.
    QTemporaryDir home;
    const QByteArray root = home.path().toLocal8Bit();
    qputenv("HOME", root);
    qputenv("XDG_DATA_HOME", root + "/data");
    qputenv("XDG_CONFIG_HOME", root + "/config");
    qputenv("XDG_CACHE_HOME", root + "/cache");
    qputenv("XDG_RUNTIME_DIR", root + "/runtime");
    QDir().mkpath(home.path() + "/runtime");
    QFile::setPermissions(home.path() + "/runtime",
                          QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    InstallBrowserRecorder(home.path() + "/bin");
    platform::PrepareProcess();
    ChooseWebEngineDrawing();
    QApplication app(argc, argv);
    SetWebEngineModuleFile(TAVINOR_WEB_ENGINE_MODULE_FILE);
    const int result = RUN_ALL_TESTS();
    // Every case has finished and reported by now; the engine's teardown at
    // exit can wait for ever on its GPU thread on a crowded machine, which
    // would turn a passed case into a time-out.
    home.remove();
    std::fflush(nullptr);
    std::_Exit(result);
}
