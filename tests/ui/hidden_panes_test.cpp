// What the window gives back while it is away in the tray, and what it
// brings back on the return.
#include <QFile>
#include <QTest>
#include <QWebEnginePage>

#include "support/waits.h"
#include "ui/main_window_fixture.h"
#include "ui/shell/TCppWebBrowser.h"
#include "ui/skin/suiPageControl.h"

namespace {

using State = QWebEnginePage::LifecycleState;

State StateOf(TCppWebBrowser* pane) {
    return pane->page()->lifecycleState();
}

class HiddenPanesTest : public MainWindowFixture {
protected:
    void SetUp() override {
        MainWindowFixture::SetUp();
        QFile mine(MinePage());
        ASSERT_TRUE(mine.open(QIODevice::WriteOnly));
        mine.write("<title>mine</title><p>mine</p>");
        mine.close();
        Start();
        form->hiddenDiscardDelayMs = 500;
        form->suiPageControl1->setCurrentWidget(form->mineTabSheet);
        ASSERT_TRUE(LoadedTitle(form->mineWebBrowser, "mine"));
        ASSERT_TRUE(ShowsAddress(form->CppWebBrowser1, StartPage()));
        form->CppWebBrowser3->Navigate(server->Url("/ok.html"));
        ASSERT_TRUE(ShowsAddress(form->CppWebBrowser3, server->Url("/ok.html")));
    }
    bool Discarded() {
        return WaitFor(
            [&] {
                return StateOf(form->CppWebBrowser1) == State::Discarded &&
                       StateOf(form->mineWebBrowser) == State::Discarded;
            },
            5000);
    }
    bool LoadedTitle(TCppWebBrowser* pane, const QString& title) {
        return WaitFor([&] { return pane->title() == title && !pane->Busy(); }, 20000);
    }
};

TEST_F(HiddenPanesTest, StartAndPersonalPagesAreDiscardedInTheTrayAndShownAgainOnReturn) {
    // A trip that ends before the delay gives nothing back, even once the delay has passed.
    form->Minimize();
    form->N5->trigger();
    Linger(2 * form->hiddenDiscardDelayMs);
    EXPECT_EQ(StateOf(form->CppWebBrowser1), State::Active);
    EXPECT_EQ(StateOf(form->mineWebBrowser), State::Active);

    form->Minimize();
    ASSERT_TRUE(Discarded());
    EXPECT_EQ(StateOf(form->CppWebBrowser3), State::Active) << "a player may be playing";

    // Back on the personal page: it shows its file again, the start page reloads.
    form->N5->trigger();
    EXPECT_EQ(StateOf(form->mineWebBrowser), State::Active);
    EXPECT_TRUE(LoadedTitle(form->mineWebBrowser, "mine"));
    EXPECT_TRUE(ShowsAddress(form->CppWebBrowser1, StartPage()));
    form->suiPageControl1->setCurrentWidget(form->suiTabSheet1);
    EXPECT_TRUE(LoadedTitle(form->CppWebBrowser1, "Directory listing for /"));
}

} // namespace
