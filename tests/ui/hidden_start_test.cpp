// A start hidden in the tray makes no web engine process until the window is
// first shown; the tray menu, the lock and the product site's settings work
// meanwhile. Runs in a process of its own (ctest gui_hidden_start): the
// engine, once started, stays up for the rest of a process.
#include <QDir>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QTest>
#include <unistd.h>

#include "support/browser_recorder.h"
#include "support/temp_dir.h"
#include "support/waits.h"
#include "ui/lock/Tlock_form.h"
#include "ui/lock/Tpwd_form.h"
#include "ui/main_window_fixture.h"
#include "ui/shell/TCppWebBrowser.h"
#include "ui/shell/app_start.h"

namespace {

// The engine's processes that this process started.
int EngineProcesses() {
    int count = 0;
    const QString self = QString::number(getpid());
    for (const QString& pid : QDir("/proc").entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        QFile stat("/proc/" + pid + "/stat");
        if (!stat.open(QIODevice::ReadOnly))
            continue;
        // pid (comm) state ppid ...; comm is cut to 15 characters.
        const QString line = QString::fromLocal8Bit(stat.readAll());
        const int close = line.lastIndexOf(')');
        const QString comm = line.mid(line.indexOf('(') + 1, close - line.indexOf('(') - 1);
        const QStringList rest = line.mid(close + 2).split(' ');
        if (comm.startsWith("QtWebEngine") && rest.value(1) == self)
            ++count;
    }
    return count;
}

class HiddenStartTest : public MainWindowFixture {
protected:
    void SetUp() override {
        MainWindowFixture::SetUp();
        ASSERT_TRUE(answering.Started());
        WriteBytes(site.File("setting.txt"), "text=hidden\r\n");
        qputenv("TAVINOR_SITE", answering.Url("").toUtf8());
        lock_form = new Tlock_form;
        pwd_form = new Tpwd_form;
    }
    void TearDown() override {
        MainWindowFixture::TearDown();
        delete lock_form;
        delete pwd_form;
        lock_form = nullptr;
        pwd_form = nullptr;
    }
    // The product site, with its settings file.
    TempDir site;
    HttpServer answering{QString::fromStdString(site.path())};
};

TEST_F(HiddenStartTest, NoEngineUntilFirstShownWhileTrayLockAndSettingsWork) {
    ASSERT_FALSE(TCppWebBrowser::EngineStarted()) << "needs a process of its own";
    // A data file with the start option "open the site and go to the tray",
    // made by a window that is never shown.
    form = std::make_unique<TForm1>();
    Form1 = form.get();
    form->FormCreate();
    form->store.header.openSitePageOnStart = 1;
    form->close();
    form.reset();

    Start();
    ASSERT_TRUE(form->HiddenInTray());
    // Until the engine comes, a pane is plain white, like an empty page.
    form->FormCanResize();
    const QImage blank = form->CppWebBrowser1->grab().toImage();
    ASSERT_FALSE(blank.isNull());
    QImage white(blank.size(), blank.format());
    white.fill(Qt::white);
    EXPECT_EQ(blank, white);
    form->SetLockPassword("pw");
    // The product site's settings arrive over plain HTTP.
    EXPECT_TRUE(WaitFor([&] { return form->Edit7->text() == "hidden"; }, 10000));
    // A site from the tray menu opens in the system browser.
    ASSERT_TRUE(WaitFor([] { return !OpenedAddresses().isEmpty(); }, 5000));
    ClearOpenedAddresses();
    form->sou_menu->actions().first()->trigger();
    EXPECT_TRUE(WaitFor([] { return OpenedAddresses().size() == 1; }, 5000));
    // The lock covers the screen and holds the input.
    form->lock_menu->trigger();
    ASSERT_TRUE(WaitFor([] { return lock_form->InputHeld(); }, 5000));
    EXPECT_TRUE(lock_form->Engaged());
    Linger(1000);
    EXPECT_EQ(EngineProcesses(), 0);
    EXPECT_FALSE(form->CppWebBrowser1->HasEngine());

    // Unlocking brings the window back: its first frame starts the engine,
    // and the start page loads once.
    lock_form->pwd->setText("pw");
    QTest::keyClick(lock_form->pwd, Qt::Key_Return);
    ASSERT_TRUE(WaitExposed(form.get()));
    EXPECT_TRUE(WaitFor([] { return EngineProcesses() > 0; }, 10000));
    EXPECT_TRUE(ShowsAddress(form->CppWebBrowser1, answering.Url("/")));
    EXPECT_TRUE(WaitFor([&] { return !form->CppWebBrowser1->Busy(); }, 20000));
    EXPECT_EQ(answering.RequestLog().count("/"), 1);
}

} // namespace
