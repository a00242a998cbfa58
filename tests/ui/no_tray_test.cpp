// A desktop without a system tray: the window minimises instead of hiding,
// and the icon docks as soon as a tray turns up. Runs on a display started
// without a tray host (WITH_DISPLAY_NO_TRAY=1).
#include <QProcess>
#include <QSystemTrayIcon>
#include <QTest>

#include "support/waits.h"
#include "ui/main_window_fixture.h"
#include "ui/shell/TCppWebBrowser.h"
#include "ui/skin/suiForm.h"

namespace {

class NoTrayTest : public MainWindowFixture {};

TEST_F(NoTrayTest, WindowMinimisesUntilATrayAppearsThenHidesThere) {
    if (QSystemTrayIcon::isSystemTrayAvailable())
        GTEST_SKIP() << "needs a display without a tray";
    // The start option that hides to the tray leaves the window minimised.
    PrepareDataFile({{28, 1}});
    Start();
    EXPECT_FALSE(form->HiddenInTray());
    EXPECT_TRUE(form->isVisible());
    EXPECT_TRUE(form->isMinimized());

    // The desktop's restore command is still a return from the tray.
    ASSERT_TRUE(ShowsAddress(form->CppWebBrowser1, StartPage()));
    form->CppWebBrowser1->Navigate(server->Url("/ok.html"));
    ASSERT_TRUE(ShowsAddress(form->CppWebBrowser1, server->Url("/ok.html")));
    form->setWindowState(Qt::WindowNoState);
    EXPECT_TRUE(ShowsAddress(form->CppWebBrowser1, StartPage()));

    QWidget* minimise = form->suiForm1->findChild<QWidget*>("minimizeButton");
    QTest::mouseClick(minimise, Qt::LeftButton);
    EXPECT_TRUE(form->isMinimized());
    EXPECT_TRUE(form->isVisible()) << "a minimised window keeps its taskbar entry";
    form->N1->trigger();
    EXPECT_FALSE(form->isMinimized());

    QProcess tray;
    tray.start("trayer", {"--edge", "bottom", "--align", "right", "--SetDockType", "true"});
    ASSERT_TRUE(tray.waitForStarted());
    EXPECT_TRUE(WaitFor([] { return TrayIconWindow() != nullptr; }, 10000))
        << "the icon docks in the new tray";
    QTest::mouseClick(minimise, Qt::LeftButton);
    EXPECT_TRUE(form->HiddenInTray());
    EXPECT_FALSE(form->isVisible());
    form->close();
    tray.terminate();
    tray.waitForFinished();
}

} // namespace
