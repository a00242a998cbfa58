// The browser panes of the main window against the loopback server: the
// status line, new windows handed to the system browser, network notices.
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>

#include "support/browser_recorder.h"
#include "support/dialogs.h"
#include "support/temp_dir.h"
#include "support/waits.h"
#include "ui/main_window_fixture.h"
#include "ui/shell/TCppWebBrowser.h"
#include "ui/skin/suiPageControl.h"

namespace {

const QString kNotice = "请检查您的网络是否正常！";

class BrowserPanesTest : public MainWindowFixture {
protected:
    void Load(TCppWebBrowser* pane, const QString& address) {
        QSignalSpy done(pane, &TCppWebBrowser::DocumentComplete);
        pane->Navigate(address);
        ASSERT_TRUE(WaitFor([&] { return done.count() > 0; }, 20000));
    }
    // Waits for `count` addresses at the stand-in, then a little longer for strays.
    QStringList Opened(int count) {
        if (WaitFor([&] { return OpenedAddresses().size() >= count; }, 10000))
            Linger(500);
        return OpenedAddresses();
    }
};

TEST_F(BrowserPanesTest, StatusLineShowsProgressAndHidesOnCompletion) {
    Start();
    QSignalSpy changes(form->Edit2, &QLineEdit::textChanged);
    Load(form->CppWebBrowser1, server->Url("/ok.html"));
    ASSERT_TRUE(WaitFor([&] { return form->Edit2->text().isEmpty(); }, 5000));
    EXPECT_FALSE(form->Edit2->isVisible());
    QStringList shown;
    for (const QList<QVariant>& change : changes)
        shown << change.at(0).toString();
    EXPECT_TRUE(shown.join('|').contains("ok.html")) << shown.join('|').toStdString();

    // Every pane writes into the same line, also from a page that is not shown.
    for (TCppWebBrowser* pane : {form->mineWebBrowser, form->CppWebBrowser3}) {
        emit pane->StatusTextChange("正在下载");
        EXPECT_EQ(form->Edit2->text(), "正在下载");
        EXPECT_TRUE(form->Edit2->isVisible());
        emit pane->StatusTextChange("下载完毕，共3项");
        EXPECT_EQ(form->Edit2->text(), "");
        EXPECT_FALSE(form->Edit2->isVisible());
    }
    emit form->CppWebBrowser1->StatusTextChange("正在下载");
    emit form->CppWebBrowser1->StatusTextChange("");
    EXPECT_FALSE(form->Edit2->isVisible());
}

TEST_F(BrowserPanesTest, NewWindowsOpenOnceInTheSystemBrowserAndNeverInTheProgram) {
    Start();
    const int windows = QApplication::topLevelWidgets().size();
    QSignalSpy caught(form->CppWebBrowser2, &TCppWebBrowser::DocumentComplete);
    Load(form->CppWebBrowser1, server->Url("/new_windows.html"));
    ClickElement(*form->CppWebBrowser1, "#blank");
    EXPECT_EQ(Opened(1).join('|'), server->Url("/ok.html?from=link"));
    ClearOpenedAddresses();
    ClickElement(*form->CppWebBrowser1, "#popup");
    EXPECT_EQ(Opened(1).join('|'), server->Url("/ok.html?from=script"));
    EXPECT_EQ(form->CppWebBrowser1->url().toString(), server->Url("/new_windows.html"));
    EXPECT_EQ(QApplication::topLevelWidgets().size(), windows);
    EXPECT_EQ(caught.count(), 0) << "the catcher never loads what it hands on";
}

TEST_F(BrowserPanesTest, PersonalPageLinksOpenInTheSystemBrowser) {
    const QString target = server->Url("/ok.html?from=mine");
    WriteBytes(MinePage().toStdString(), QString("<html><head><base target=\"_blank\"></head><body>"
                                                 "<a id=\"fav\" href=\"%1\">fav</a></body></html>")
                                             .arg(target)
                                             .toStdString());
    Start();
    QSignalSpy done(form->mineWebBrowser, &TCppWebBrowser::DocumentComplete);
    form->suiPageControl1->setCurrentWidget(form->mineTabSheet);
    ASSERT_TRUE(WaitFor([&] { return done.count() == 1; }, 20000));
    const QString mine = form->mineWebBrowser->url().toString();
    ClickElement(*form->mineWebBrowser, "#fav");
    EXPECT_EQ(Opened(1).join('|'), target);
    EXPECT_EQ(form->mineWebBrowser->url().toString(), mine);
}

TEST_F(BrowserPanesTest, FailedStartPageUncoversTheNoticesOnBothPages) {
    Start();
    for (const QString& address : {server->Url("/status/404"), QString("http://127.0.0.1:9/")}) {
        form->CppWebBrowser1->show();
        form->mok_label->hide();
        QSignalSpy errors(form->CppWebBrowser1, &TCppWebBrowser::NavigateError);
        form->CppWebBrowser1->Navigate(address);
        ASSERT_TRUE(WaitFor([&] { return errors.count() == 1; }, 20000));
        Linger(200);
        EXPECT_EQ(form->Edit2->text(), kNotice) << "the notice stays after the load's end";
        EXPECT_TRUE(form->Edit2->isVisible());
        EXPECT_FALSE(form->CppWebBrowser1->isVisible());
        EXPECT_TRUE(form->Label6->isVisible());
        EXPECT_TRUE(form->mok_label->isVisibleTo(form->suiTabSheet2));
        EXPECT_TRUE(form->CppWebBrowser3->isVisibleTo(form->suiTabSheet2));
    }
}

TEST_F(BrowserPanesTest, FailedPlayerHidesItsPaneButPersonalPageErrorsAreIgnored) {
    Start();
    AnswerNextDialog("OK"); // no players yet
    form->suiPageControl1->setCurrentWidget(form->suiTabSheet2);
    QSignalSpy playerErrors(form->CppWebBrowser3, &TCppWebBrowser::NavigateError);
    form->CppWebBrowser3->Navigate(server->Url("/status/500"));
    ASSERT_TRUE(WaitFor([&] { return playerErrors.count() == 1; }, 20000));
    EXPECT_FALSE(form->CppWebBrowser3->isVisible());
    EXPECT_FALSE(form->Edit7->isVisible());
    EXPECT_TRUE(form->mok_label->isVisible());
    EXPECT_TRUE(form->CppWebBrowser1->isVisibleTo(form->suiTabSheet1));

    form->CppWebBrowser3->show();
    form->mok_label->hide();
    QSignalSpy mineErrors(form->mineWebBrowser, &TCppWebBrowser::NavigateError);
    form->mineWebBrowser->Navigate(server->Url("/status/404"));
    ASSERT_TRUE(WaitFor([&] { return mineErrors.count() == 1; }, 20000));
    EXPECT_TRUE(form->mineWebBrowser->isVisibleTo(form->mineTabSheet));
    EXPECT_FALSE(form->mok_label->isVisible());
    EXPECT_TRUE(form->CppWebBrowser1->isVisibleTo(form->suiTabSheet1));
}

} // namespace
