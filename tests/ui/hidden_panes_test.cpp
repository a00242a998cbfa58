// What the window gives back while it is away in the tray, and what it
// brings back on the return.
#include <QColor>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QPixmap>
#include <QScreen>
#include <QTest>

#include "support/waits.h"
#include "ui/main_window_fixture.h"
#include "ui/shell/TCppWebBrowser.h"
#include "ui/skin/suiPageControl.h"

namespace {

// The personal page's background, read back from the screen.
const QColor kMineColour(0x12, 0x34, 0x56);

class HiddenPanesTest : public MainWindowFixture {
protected:
    void SetUp() override {
        MainWindowFixture::SetUp();
        QFile mine(MinePage());
        ASSERT_TRUE(mine.open(QIODevice::WriteOnly));
        mine.write("<title>mine</title><body style='background:" + kMineColour.name().toUtf8() +
                   "'>mine</body>");
        mine.close();
        Start();
        form->hiddenDiscardDelayMs = 500;
        form->suiPageControl1->setCurrentWidget(form->mineTabSheet);
        ASSERT_TRUE(LoadedTitle(form->mineWebBrowser, "mine"));
        ASSERT_TRUE(ShowsAddress(form->CppWebBrowser1, StartPage()));
    }
    bool Discarded() {
        return WaitFor(
            [&] {
                return !form->CppWebBrowser1->HasEngine() && !form->mineWebBrowser->HasEngine();
            },
            5000);
    }
    bool LoadedTitle(TCppWebBrowser* pane, const QString& title) {
        return WaitFor([&] { return pane->title() == title && !pane->Busy(); }, 20000);
    }
    bool WindowReleased() {
        return WaitFor([&] { return !form->testAttribute(Qt::WA_WState_Created); }, 10000);
    }
    // What the X server shows in the middle of the personal page's pane.
    QColor OnScreen() {
        const QPoint middle =
            form->mineWebBrowser->mapToGlobal(form->mineWebBrowser->rect().center());
        return QGuiApplication::primaryScreen()
            ->grabWindow(0, middle.x(), middle.y(), 1, 1)
            .toImage()
            .pixelColor(0, 0);
    }
};

TEST_F(HiddenPanesTest, WithAPlayerLoadedOnlyTheStartAndPersonalPagesAreGivenBack) {
    form->CppWebBrowser3->Navigate(server->Url("/ok.html"));
    ASSERT_TRUE(ShowsAddress(form->CppWebBrowser3, server->Url("/ok.html")));
    // A trip that ends before the delay gives nothing back, even once the delay has passed.
    form->Minimize();
    form->N5->trigger();
    Linger(2 * form->hiddenDiscardDelayMs);
    EXPECT_TRUE(form->CppWebBrowser1->HasEngine());
    EXPECT_TRUE(form->mineWebBrowser->HasEngine());

    form->Minimize();
    ASSERT_TRUE(Discarded());
    Linger(6000); // past the moment the surfaces would go
    EXPECT_TRUE(form->testAttribute(Qt::WA_WState_Created)) << "a player draws into them";
    EXPECT_TRUE(form->CppWebBrowser3->HasEngine()) << "a player may be playing";

    // Back on the personal page: it shows its file again, the start page reloads.
    form->N5->trigger();
    EXPECT_TRUE(LoadedTitle(form->mineWebBrowser, "mine"));
    form->suiPageControl1->setCurrentWidget(form->suiTabSheet1);
    EXPECT_TRUE(LoadedTitle(form->CppWebBrowser1, "Directory listing for /"));
}

TEST_F(HiddenPanesTest, AMusicPaneLeftWithoutAPlayerIsGivenBackWithTheWindow) {
    form->CppWebBrowser3->Navigate(server->Url("/ok.html"));
    ASSERT_TRUE(WaitFor([&] { return form->playerPageLoaded; }, 20000));
    // What deleting the last player leaves.
    form->CppWebBrowser3->Navigate("about:blank");
    form->playerPageLoaded = false;
    ASSERT_TRUE(ShowsAddress(form->CppWebBrowser3, "about:blank"));
    form->Minimize();
    ASSERT_TRUE(Discarded());
    EXPECT_TRUE(WaitFor([&] { return !form->CppWebBrowser3->HasEngine(); }, 5000));
    EXPECT_TRUE(WindowReleased());
}

// The start page's site sees every return, also where its cache may keep the page.
TEST_F(HiddenPanesTest, EveryReturnAsksTheSiteForTheStartPageAgain) {
    form->close();
    form.reset();
    const QString start = "/cached/3600/";
    qputenv("TAVINOR_SITE", server->Url("/cached/3600").toUtf8());
    Start();
    form->hiddenDiscardDelayMs = 500;
    ASSERT_TRUE(ShowsAddress(form->CppWebBrowser1, server->Url(start)));
    ASSERT_TRUE(WaitFor([&] { return !form->CppWebBrowser1->Busy(); }, 20000));
    const int first = server->RequestLog().count(start);
    const auto asked = [&](int times) {
        return WaitFor([&] { return server->RequestLog().count(start) == first + times; }, 20000);
    };
    form->Minimize();
    form->N5->trigger();
    EXPECT_TRUE(asked(1)) << "a short trip";
    form->Minimize();
    ASSERT_TRUE(Discarded());
    form->N5->trigger();
    EXPECT_TRUE(asked(2)) << "a trip that gave the view back";
    Linger(1000);
    EXPECT_EQ(server->RequestLog().count(start), first + 2) << "once for each return";
}

TEST_F(HiddenPanesTest, WithoutAPlayerTheWindowGivesBackItsSurfacesAndDrawsAgainOnReturn) {
    ASSERT_TRUE(WaitFor([&] { return OnScreen() == kMineColour; }))
        << OnScreen().name().toStdString();
    form->Minimize();
    ASSERT_TRUE(Discarded());
    ASSERT_TRUE(WindowReleased());

    form->N5->trigger();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
    EXPECT_TRUE(LoadedTitle(form->mineWebBrowser, "mine"));
    EXPECT_TRUE(WaitFor([&] { return OnScreen() == kMineColour; }))
        << "the page is drawn in the new window";
    // Away again: the same again, and the program lives on.
    form->Minimize();
    EXPECT_TRUE(WindowReleased());
    form->N5->trigger();
    EXPECT_TRUE(LoadedTitle(form->mineWebBrowser, "mine"));
}

} // namespace
