// The product site's logo and settings against real loopback servers that
// answer, answer with errors, never answer and refuse. Deadlines and the
// retry interval are shortened so the suite stays quick.
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QStandardPaths>
#include <QTcpServer>
#include <QTest>
#include <QThread>
#include <QTimer>

#include "support/browser_recorder.h"
#include "support/temp_dir.h"
#include "support/waits.h"
#include "ui/main_window_fixture.h"
#include "ui/remote/TNMHTTP.h"
#include "ui/shell/TCppWebBrowser.h"
#include "ui/skin/suiPageControl.h"
#include "ui/text/gbk_codec.h"

namespace {

constexpr int kTimeOut = 1500;
// For checks made while a request hangs: long enough that a crowded machine
// still reaches them before the deadline.
const int kHangTimeOut = Limit(kTimeOut);
constexpr int kInterval = 300;

QString LogoFile() {
    return QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation) +
           "/tavinor_logo.jpg";
}

// A loopback port nobody listens on.
int RefusingPort() {
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost);
    return probe.serverPort();
}

// A figure of this process from /proc/self/status, in KiB.
long StatusKiB(const char* field) {
    QFile status("/proc/self/status");
    status.open(QIODevice::ReadOnly);
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith(field))
            return line.mid(qstrlen(field)).trimmed().split(' ').first().toLong();
    return -1;
}

// Keeps the window thread from handling any event, as a long handler does.
void KeepWindowThreadBusy(int ms) {
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < ms)
        QThread::msleep(10);
}

class RemoteSettingsTest : public MainWindowFixture {
protected:
    void SetUp() override {
        MainWindowFixture::SetUp();
        QFile::remove(LogoFile());
    }
    // Starts the window against `base` with short deadlines.
    void StartAgainst(const QString& base, int timeOut = kTimeOut) {
        qputenv("TAVINOR_SITE", base.toUtf8());
        Start([timeOut](TForm1& f) {
            f.remoteTimeOut = timeOut;
            f.Timer1->setInterval(kInterval);
        });
    }
    TempDir site;
};

const std::string kSettings =
    "isLink=1\r\ntext=\xB5\xE3\xCE\xD2 \xCA\xD4\xCA\xD4\x81!\r\n" // 点我 试试, a broken pair
    "link_url=@/xiaoyouxi.htm;ku3=\xBF\xE1\xD5\xBE\t@/kuzhan.htm\n"
    "sou0=\xD1\xDD\xCA\xBE\t@/;m0_t=\xD1\xDD\xCA\xBE;m0_w=640\n";

std::string WithBase(std::string text, const QString& base) {
    for (std::size_t at; (at = text.find('@')) != std::string::npos;)
        text.replace(at, 1, base.toStdString());
    return text;
}

} // namespace

TEST_F(RemoteSettingsTest, AnsweredSettingsReachMenusPlayersAndTheLink) {
    QDir().mkpath(QString::fromStdString(site.File("images")));
    WriteBytes(site.File("images/tavinor_logo.jpg"), std::string(300 * 1024, 'L'));
    HttpServer answering(QString::fromStdString(site.path()));
    WriteBytes(site.File("setting.txt"), WithBase(kSettings, answering.Url("")));
    const QString head = QCoreApplication::applicationDirPath() + "/Head.txt";
    WriteBytes(head.toStdString(), "x");
    StartAgainst(answering.Url(""));

    ASSERT_TRUE(WaitFor([&] { return !form->Edit7->text().isEmpty(); }, 5000));
    EXPECT_TRUE(form->Edit7->text().startsWith("点我试试")) << "spaces dropped";
    EXPECT_TRUE(form->Edit7->text().contains(QChar::ReplacementCharacter));
    EXPECT_EQ(form->Edit7->cursor().shape(), Qt::PointingHandCursor);
    EXPECT_TRUE(form->ku_menu->menuAction()->isVisible());
    EXPECT_EQ(VisibleCaptions(form->ku_menu), QStringList{"酷站"});
    EXPECT_EQ(VisibleCaptions(form->sou_menu).first(), "演示");
    EXPECT_EQ(FromGbk(form->recommendedPlayers[0].title, 16), "演示");
    EXPECT_EQ(int(form->recommendedPlayers[0].width), 640);
    EXPECT_EQ(ReadBytes(LogoFile().toStdString()).size(), 300u * 1024);
    EXPECT_FALSE(QFile::exists(head));
    EXPECT_FALSE(form->Timer1->isActive());

    QTest::mouseClick(form->Edit7, Qt::LeftButton);
    ASSERT_TRUE(WaitFor([] { return !OpenedAddresses().isEmpty(); }, 5000));
    EXPECT_EQ(OpenedAddresses(), QStringList{answering.Url("/xiaoyouxi.htm")});

    // No request follows a success; a later start finds the logo in place.
    const auto requests = [&](const char* path) { return answering.RequestLog().count(path); };
    Linger(3 * kInterval);
    EXPECT_EQ(requests("/images/tavinor_logo.jpg"), 1);
    EXPECT_EQ(requests("/setting.txt"), 1);
    form->close();
    form.reset();
    StartAgainst(answering.Url(""));
    ASSERT_TRUE(WaitFor([&] { return requests("/setting.txt") == 2; }, 5000));
    EXPECT_EQ(requests("/images/tavinor_logo.jpg"), 1);

    // The same settings from a server that compresses what it sends.
    form->close();
    form.reset();
    StartAgainst(answering.Url("/gzip"));
    ASSERT_TRUE(WaitFor([&] { return requests("/gzip/setting.txt") == 1; }, 5000));
    ASSERT_TRUE(WaitFor([&] { return !form->Edit7->text().isEmpty(); }, 5000));
    EXPECT_EQ(VisibleCaptions(form->ku_menu), QStringList{"酷站"});
}

TEST_F(RemoteSettingsTest, ErrorStatusRetriesUntilSuccessAndNeverKeepsABadLogo) {
    // A logo above the bound is cut off: an error, and no file is left.
    QDir().mkpath(QString::fromStdString(site.File("images")));
    WriteBytes(site.File("images/tavinor_logo.jpg"), std::string(3 * 1024 * 1024, 'L'));
    HttpServer answering(QString::fromStdString(site.path()));
    StartAgainst(answering.Url(""));
    ASSERT_TRUE(WaitFor([&] { return answering.RequestLog().count("/setting.txt") >= 3; },
                        10 * kInterval + 3000));
    EXPECT_TRUE(form->Timer1->isActive());
    EXPECT_GE(answering.RequestLog().count("/images/tavinor_logo.jpg"), 3);
    EXPECT_FALSE(QFile::exists(LogoFile()));
    EXPECT_TRUE(QDir(QFileInfo(LogoFile()).path()).entryList({"*tavinor_logo*"}).isEmpty());
    EXPECT_TRUE(form->Edit7->text().isEmpty());

    WriteBytes(site.File("setting.txt"), "text=ok");
    ASSERT_TRUE(WaitFor([&] { return form->Edit7->text() == "ok"; }, 5000));
    EXPECT_FALSE(form->Timer1->isActive());
    // The start page's pane may still ask for its icon; the program's own fetches count.
    const auto fetches = [&] {
        QStringList paths = answering.RequestLog();
        paths.removeAll("/favicon.ico");
        return paths.join(' ').toStdString();
    };
    const std::string before = fetches();
    Linger(3 * kInterval);
    EXPECT_EQ(fetches(), before) << "none after the success";
}

TEST_F(RemoteSettingsTest, HangingRequestLeavesTheWindowLiveAndEndsAtTheDeadline) {
    const QString logo = "/hang/images/tavinor_logo.jpg";
    const int hung = server->RequestLog().count(logo);
    QElapsedTimer clock;
    clock.start();
    StartAgainst(server->Url("/hang"), kHangTimeOut);
    ASSERT_TRUE(WaitFor([&] { return form->NMHTTP1->Busy(); }, 3000));
    // The window answers while the request waits.
    form->suiPageControl1->setCurrentWidget(form->guanliTabSheet);
    bool ticked = false;
    bool busyAtTick = false;
    QObject scope;
    QTimer::singleShot(20, &scope, [&] {
        ticked = true;
        busyAtTick = form->NMHTTP1->Busy();
    });
    ASSERT_TRUE(WaitFor([&] { return ticked; }));
    EXPECT_TRUE(busyAtTick) << "the timer ran while the request waited";
    form->suiPopupMenu1->popup(QPoint(100, 100));
    EXPECT_TRUE(WaitFor([&] { return form->suiPopupMenu1->isVisible(); }));
    form->suiPopupMenu1->hide();
    EXPECT_EQ(form->suiPageControl1->currentWidget(), form->guanliTabSheet);

    // The deadline ends the sequence silently: no settings request, no retry.
    ASSERT_TRUE(WaitFor([&] { return !form->NMHTTP1->Busy(); }, kHangTimeOut + 3000));
    // Qt's own transfer timeout, set to the same limit, runs on a coarse
    // timer, which may fire up to 5 % early.
    EXPECT_GE(clock.elapsed(), kHangTimeOut * 95 / 100);
    Linger(3 * kInterval);
    EXPECT_FALSE(form->NMHTTP2->Busy());
    EXPECT_FALSE(form->Timer1->isActive());
    EXPECT_FALSE(form->ku_menu->menuAction()->isVisible());
    EXPECT_EQ(server->RequestLog().count(logo), hung + 1);
    EXPECT_EQ(server->RequestLog().filter("setting.txt").size(), 0);
}

// Bodies that never end, sent while the window thread handles nothing: each
// request still ends by its bound or its deadline, and memory stays flat.
TEST_F(RemoteSettingsTest, EndlessBodiesEndInTimeWhileTheWindowIsBusy) {
    constexpr int kEndedBy = kTimeOut + 1500;
    // The longest a stream at `path` ran, or -1 while none has ended.
    const auto ranFor = [&](const QString& path) {
        int longest = -1;
        for (const QString& line : server->EndedStreams())
            if (line.section(' ', 0, 0) == path)
                longest = std::max(longest, line.section(' ', 1, 1).toInt());
        return longest;
    };
    // Waits for a request of `path`, keeps the window busy for `busy` ms, and
    // checks how long the server had to send.
    const auto endsInTime = [&](const QString& path, int busy) {
        ASSERT_TRUE(WaitFor([&] { return server->RequestLog().contains(path); }, 5000))
            << path.toStdString();
        KeepWindowThreadBusy(busy);
        ASSERT_TRUE(WaitFor([&] { return ranFor(path) >= 0; }, 3000)) << path.toStdString();
        EXPECT_LE(ranFor(path), kEndedBy) << path.toStdString();
    };
    for (const char* kind : {"endless", "huge", "drip", "gzip"}) {
        const QString base = QString("/stream/") + kind;
        StartAgainst(server->Url(base));
        // The engine comes up after the first frame and costs the process far
        // more than any bounded transfer; it must not be counted as one.
        // Its first page loaded, so that its drawing's start is not counted either.
        ASSERT_TRUE(WaitFor([&] {
            TCppWebBrowser* pane = form->CppWebBrowser1;
            return pane->HasEngine() && !pane->url().isEmpty() && !pane->Busy();
        }));
        // Write "5" to clear_refs: the peak starts again from here.
        QFile refs("/proc/self/clear_refs");
        ASSERT_TRUE(refs.open(QIODevice::WriteOnly) && refs.write("5") == 1);
        refs.close();
        const long resident = StatusKiB("VmRSS:");
        // A body cut at its bound is an error status and the settings follow;
        // the one cut at the deadline, while the window is busy past it, ends
        // the sequence.
        const bool drip = std::string(kind) == "drip";
        endsInTime(base + "/images/tavinor_logo.jpg", drip ? kEndedBy + 1000 : kTimeOut);
        if (!drip)
            endsInTime(base + "/setting.txt", kTimeOut);
        EXPECT_LT(StatusKiB("VmHWM:") - resident, 100 * 1024) << kind;
        EXPECT_FALSE(QFile::exists(LogoFile())) << kind;
        form->close();
        form.reset();
    }
}

TEST_F(RemoteSettingsTest, RefusedConnectionKeepsTheDefaultsWithoutRetry) {
    StartAgainst(QString("http://127.0.0.1:%1").arg(RefusingPort()));
    ASSERT_TRUE(WaitFor([&] { return !form->NMHTTP1->Busy(); }, 3000));
    Linger(3 * kInterval);
    EXPECT_FALSE(form->NMHTTP2->Busy());
    EXPECT_FALSE(form->Timer1->isActive());
    EXPECT_TRUE(form->Edit7->text().isEmpty());
    EXPECT_EQ(VisibleCaptions(form->sou_menu).first(), "百度");
}

TEST_F(RemoteSettingsTest, QuitDuringAHangingRequestEndsBeforeItsDeadlineAndSaves) {
    StartAgainst(server->Url("/hang"), kHangTimeOut);
    ASSERT_TRUE(WaitFor([&] { return form->NMHTTP1->Busy(); }, 3000));
    // A switch that reaches the file only with the save at close.
    form->store.header.skinChoice = 1;
    QElapsedTimer clock;
    clock.start();
    form->N2->trigger();
    EXPECT_LT(clock.elapsed(), kHangTimeOut) << "the request was not waited for";
    EXPECT_FALSE(form->NMHTTP1->Busy());
    EXPECT_EQ(ReadBytes(DataFile().toStdString())[offsetof(StoreHeader, skinChoice)], 1);
    const int settings = server->RequestLog().filter("setting.txt").size();
    Linger(kHangTimeOut + 200);
    EXPECT_EQ(server->RequestLog().filter("setting.txt").size(), settings);
}
