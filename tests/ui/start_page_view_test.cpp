// The generated personal start page as the "我的首页" page shows it.
#include <QSignalSpy>
#include <QTest>
#include <QWebEnginePage>

#include "core/favorites/favorite_ops.h"
#include "support/browser_recorder.h"
#include "support/dialogs.h"
#include "support/waits.h"
#include "ui/main_window_fixture.h"
#include "ui/shell/TCppWebBrowser.h"
#include "ui/skin/suiPageControl.h"

namespace {

class StartPageViewTest : public MainWindowFixture {};

TEST_F(StartPageViewTest, TheGeneratedPageIsShownAndItsLinksOpenInTheSystemBrowser) {
    Start();
    const QString target = server->Url("/ok.html?from=generated");
    AddFavorite(form->store, 0, target.toStdString(), "generated <link>", "2026/12/9 10:00:00");
    AnswerNextDialog("OK");
    form->generateBtnClick();

    QSignalSpy done(form->mineWebBrowser, &TCppWebBrowser::DocumentComplete);
    form->suiPageControl1->setCurrentWidget(form->mineTabSheet);
    ASSERT_TRUE(WaitFor([&] { return done.count() == 1; }, 20000));
    const QString title =
        Evaluate(form->mineWebBrowser->page(),
                 "document.title + '|' + document.querySelectorAll('a').length + '|' + "
                 "document.querySelectorAll('.t0 a')[1].textContent")
            .toString();
    // The navigation link, the default favorite and the new one, whose
    // title is shown as text, not taken as markup.
    EXPECT_EQ(title, "Mine|3|generated <link>");

    const QString shown = form->mineWebBrowser->url().toString();
    ClickElement(*form->mineWebBrowser, QString("a[href=\"%1\"]").arg(target));
    ASSERT_TRUE(WaitFor([] { return !OpenedAddresses().isEmpty(); }, 5000));
    Linger(300);
    EXPECT_EQ(OpenedAddresses(), QStringList{target});
    EXPECT_EQ(form->mineWebBrowser->url().toString(), shown) << "the page stays where it was";
}

} // namespace
