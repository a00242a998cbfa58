// The browser pane wrapper against a real HTTP server on loopback.
#include <QLabel>
#include <QSignalSpy>
#include <QTest>
#include <QWebEnginePage>
#include <gtest/gtest.h>
#include <memory>

#include "support/http_fixture.h"
#include "support/waits.h"
#include "ui/main_window_fixture.h"
#include "ui/shell/TCppWebBrowser.h"
#include "ui/shell/web_engine_loader.h"

namespace {

class WebBrowserTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { server = new HttpServer(TAVINOR_TEST_WEB); }
    static void TearDownTestSuite() { delete server; }
    void SetUp() override {
        ASSERT_TRUE(server->Started());
        // A pane on its own has no window whose first frame starts the engine.
        TCppWebBrowser::StartEngine();
        pane.resize(400, 300);
        pane.show();
    }
    static HttpServer* server;
    TCppWebBrowser pane;
};
HttpServer* WebBrowserTest::server = nullptr;

TEST_F(WebBrowserTest, AGoodLoadIsBusyThenCompletesWithTheDoneStatus) {
    QSignalSpy statuses(&pane, &TCppWebBrowser::StatusTextChange);
    QSignalSpy complete(&pane, &TCppWebBrowser::DocumentComplete);
    QSignalSpy errors(&pane, &TCppWebBrowser::NavigateError);

    pane.Navigate(server->Url("/ok.html"));
    EXPECT_TRUE(pane.Busy());
    ASSERT_TRUE(WaitFor([&] { return complete.count() == 1; }, 20000));
    EXPECT_FALSE(pane.Busy());
    EXPECT_EQ(errors.count(), 0);
    EXPECT_EQ(complete.at(0).at(0).toString(), server->Url("/ok.html"));
    ASSERT_FALSE(statuses.isEmpty());
    EXPECT_TRUE(statuses.last().at(0).toString().contains("完成"));
}

TEST_F(WebBrowserTest, HttpErrorsAndRefusedConnectionsAreNavigationErrors) {
    QSignalSpy errors(&pane, &TCppWebBrowser::NavigateError);
    QSignalSpy statuses(&pane, &TCppWebBrowser::StatusTextChange);

    pane.Navigate(server->Url("/status/404"));
    ASSERT_TRUE(WaitFor([&] { return errors.count() == 1; }, 20000));
    EXPECT_EQ(errors.at(0).at(1).toInt(), 404);
    EXPECT_TRUE(statuses.last().at(0).toString().contains("完成"))
        << "a failed load ends the status too";

    pane.Navigate("http://127.0.0.1:9/"); // nothing listens on the discard port
    ASSERT_TRUE(WaitFor([&] { return errors.count() == 2; }, 20000));
    EXPECT_LT(errors.at(1).at(1).toInt(), 0);
    EXPECT_FALSE(pane.Busy());
}

TEST_F(WebBrowserTest, StopEndsALoadThatNeverAnswers) {
    pane.Navigate(server->Url("/hang"));
    Linger(300);
    EXPECT_TRUE(pane.Busy());
    pane.Stop();
    EXPECT_FALSE(pane.Busy());
}

TEST_F(WebBrowserTest, NewWindowsArriveOnceAtTheCatcherAndCanBeCancelled) {
    QStringList caught;
    TCppWebBrowser catcher;
    catcher.resize(1, 1);
    catcher.show();
    // Through the catcher, which ends the connection when this body ends.
    QObject::connect(&pane, &TCppWebBrowser::NewWindow2, &catcher,
                     [&](TCppWebBrowser** target, bool*) { *target = &catcher; });
    QObject::connect(&catcher, &TCppWebBrowser::BeforeNavigate2,
                     [&](const QString& url, bool* cancel) {
                         caught << url;
                         *cancel = true;
                     });
    QSignalSpy complete(&pane, &TCppWebBrowser::DocumentComplete);
    QSignalSpy caughtLoads(&catcher, &TCppWebBrowser::DocumentComplete);
    pane.Navigate(server->Url("/new_windows.html"));
    ASSERT_TRUE(WaitFor([&] { return complete.count() == 1; }, 20000));

    ClickElement(pane, "#blank");
    ASSERT_TRUE(WaitFor([&] { return caught.size() == 1; }, 10000));
    ClickElement(pane, "#popup");
    ASSERT_TRUE(WaitFor([&] { return caught.size() == 2; }, 10000));
    Linger(500);
    ASSERT_EQ(caught.size(), 2) << caught.join('|').toStdString();
    EXPECT_EQ(caught[0], server->Url("/ok.html?from=link"));
    EXPECT_EQ(caught[1], server->Url("/ok.html?from=script"));
    EXPECT_EQ(complete.count(), 1) << "the pane itself stays on its page";
    EXPECT_EQ(caughtLoads.count(), 0) << "the catcher never loads what it hands on";
}

TEST_F(WebBrowserTest, ScriptingReadsTheDocumentModeAndSetsRootStyles) {
    QSignalSpy complete(&pane, &TCppWebBrowser::DocumentComplete);
    // The pane outlives this test's body, and so may its answer.
    const auto compatMode = [&] {
        auto mode = std::make_shared<QString>();
        pane.ReadDocumentProperty("compatMode", [mode](const QString& value) { *mode = value; });
        return WaitFor([&] { return !mode->isEmpty(); }) ? *mode : QString();
    };
    pane.Navigate(server->Url("/quirks.html"));
    ASSERT_TRUE(WaitFor([&] { return complete.count() == 1; }, 20000));
    EXPECT_EQ(compatMode(), "BackCompat");

    pane.Navigate(server->Url("/ok.html"));
    ASSERT_TRUE(WaitFor([&] { return complete.count() == 2; }, 20000));
    EXPECT_EQ(compatMode(), "CSS1Compat");

    pane.SetElementStyle("body", "overflow", "hidden");
    EXPECT_EQ(Evaluate(pane.page(), "document.body.style.overflow").toString(), "hidden");
}

// The program goes on without its web engine module; the panes say why they stay empty.
TEST(WebBrowserWithoutEngineTest, APaneSaysInItsPlaceThatTheEngineIsMissing) {
    SetWebEngineModuleFile("/nonexistent/tavinor-web-engine.so");
    TCppWebBrowser::StartEngine();
    TCppWebBrowser pane;
    pane.resize(400, 300);
    pane.show();
    pane.Navigate("about:blank");
    EXPECT_FALSE(pane.Busy());
    EXPECT_EQ(pane.page(), nullptr);
    const auto* notice = pane.findChild<QLabel*>();
    ASSERT_NE(notice, nullptr);
    EXPECT_TRUE(notice->isVisible());
    EXPECT_TRUE(notice->text().contains("网页组件未能载入")) << notice->text().toStdString();
}

} // namespace
