// The main window's life: start-up with its options, notices, the close,
// the right-click rule and the small-screen sizes, on a real X server.
#include <QCheckBox>
#include <QContextMenuEvent>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QScreen>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTest>
#include <algorithm>
#include <gtest/gtest.h>
#include <memory>

#include "core/shell/screen_fit.h"
#include "platform/platform.h"
#include "support/browser_recorder.h"
#include "support/dialogs.h"
#include "support/http_fixture.h"
#include "support/temp_dir.h"
#include "support/waits.h"
#include "ui/main_window_fixture.h"
#include "ui/shell/TCppWebBrowser.h"
#include "ui/shell/TForm1.h"
#include "ui/skin/suiForm.h"
#include "ui/skin/suiPageControl.h"

namespace {

class MainWindowTest : public MainWindowFixture {};

TEST_F(MainWindowTest, FirstStartCreatesTheFileAndShowsTheStartPage) {
    Start();
    EXPECT_EQ(QFileInfo(DataFile()).size(), 3252);
    EXPECT_EQ(form->fav_num_label->text(), "收藏网址数：1     ");
    ASSERT_EQ(form->ListBox->count(), 1);
    EXPECT_EQ(form->ListBox->item(0)->text(), "默认分类");
    EXPECT_EQ(form->ListBox->currentRow(), 0);
    EXPECT_FALSE(form->HiddenInTray());
    EXPECT_TRUE(ShowsAddress(form->CppWebBrowser1, StartPage()));
    EXPECT_EQ(AnsweredDialogCount(), 0) << "a new installation is silent";
    EXPECT_TRUE(OpenedAddresses().isEmpty());
}

TEST_F(MainWindowTest, SitePageOptionWinsOverMinePageAndStartsHidden) {
    PrepareDataFile({{28, 1}, {29, 1}});
    QFile mine(MinePage());
    ASSERT_TRUE(mine.open(QIODevice::WriteOnly));
    mine.close();
    Start();
    EXPECT_TRUE(form->HiddenInTray());
    EXPECT_FALSE(form->isVisible());
    EXPECT_TRUE(form->tvrCheckBox->isChecked());
    ASSERT_TRUE(WaitFor([] { return !OpenedAddresses().isEmpty(); }, 5000));
    Linger(300);
    EXPECT_EQ(OpenedAddresses(), QStringList{StartPage()});
    form->N1->trigger();
    EXPECT_TRUE(ShowsAddress(form->CppWebBrowser1, StartPage())) << "it comes with the window";
}

TEST_F(MainWindowTest, MinePageOptionOpensTheFileOrExplainsWhyNot) {
    PrepareDataFile({{29, 1}});
    const SeenDialog* notice = AnswerNextDialog("OK");
    Start();
    EXPECT_EQ(notice->caption, "Tavinor");
    EXPECT_EQ(notice->text, "您的首页不存在，请在[收藏夹]中生成您的首页！");
    EXPECT_EQ(notice->buttons, QStringList{"OK"});
    EXPECT_FALSE(form->HiddenInTray());
    EXPECT_TRUE(ShowsAddress(form->CppWebBrowser1, StartPage()));
    form->close();
    form.reset();

    QFile mine(MinePage());
    ASSERT_TRUE(mine.open(QIODevice::WriteOnly));
    mine.close();
    Start();
    EXPECT_TRUE(form->HiddenInTray());
    ASSERT_TRUE(WaitFor([] { return !OpenedAddresses().isEmpty(); }, 5000));
    EXPECT_EQ(OpenedAddresses(), QStringList{QUrl::fromLocalFile(MinePage()).toString()});

    // However a page spells it, the own page reaches the opener as file:///.
    ClearOpenedAddresses();
    platform::OpenInSystemBrowser("file://localhost" + MinePage().toStdString());
    ASSERT_TRUE(WaitFor([] { return !OpenedAddresses().isEmpty(); }, 5000));
    EXPECT_EQ(OpenedAddresses(), QStringList{QUrl::fromLocalFile(MinePage()).toString()});
}

TEST_F(MainWindowTest, ARejectedFileIsReportedOnceAndKeptAsBackup) {
    QDir().mkpath(QFileInfo(DataFile()).path());
    WriteBytes(DataFile().toStdString(), std::string(3000, 'x'));
    const SeenDialog* notice = AnswerNextDialog("OK");
    Start();
    EXPECT_EQ(notice->text, "错误的文件格式！");
    EXPECT_EQ(AnsweredDialogCount(), 1);
    EXPECT_EQ(ReadBytes((DataFile() + "_bak").toStdString()), std::string(3000, 'x'));
    EXPECT_EQ(QFileInfo(DataFile()).size(), 3252);
}

TEST_F(MainWindowTest, CloseStopsBusyPanesAndWritesTheHeaderBack) {
    Start();
    form->store.header.skinChoice = 1;
    form->store.header.openSitePageOnStart = 1;
    form->CppWebBrowser1->Navigate(server->Url("/hang"));
    Linger(200);
    ASSERT_TRUE(form->CppWebBrowser1->Busy());
    form->close();
    EXPECT_FALSE(form->CppWebBrowser1->Busy());
    const std::string bytes = ReadBytes(DataFile().toStdString());
    ASSERT_EQ(bytes.size(), 3252u);
    EXPECT_EQ(bytes[31], 1);
    EXPECT_EQ(bytes[28], 1);
}

TEST_F(MainWindowTest, NoticeAfterAConfirmationHasOneOkButton) {
    Start();
    const SeenDialog* question = AnswerNextDialog("No");
    EXPECT_FALSE(form->Confirm("确定吗？"));
    EXPECT_EQ(question->caption, "请确认");
    EXPECT_EQ(question->buttons, (QStringList{"Yes", "No"}));
    const SeenDialog* yes = AnswerNextDialog("Yes");
    EXPECT_TRUE(form->Confirm("确定吗？"));
    EXPECT_EQ(yes->buttons.size(), 2);

    const SeenDialog* notice = AnswerNextDialog("OK");
    form->ShowMsgDlg("完成了");
    EXPECT_EQ(notice->caption, "Tavinor");
    EXPECT_EQ(notice->text, "完成了");
    EXPECT_EQ(notice->buttons, QStringList{"OK"});
}

TEST_F(MainWindowTest, StatusLineIsVisibleExactlyWhenItHasText) {
    Start();
    form->Edit2->setText("正在打开网页");
    EXPECT_TRUE(form->Edit2->isVisible());
    form->Edit2->setText("");
    EXPECT_FALSE(form->Edit2->isVisible());
}

TEST_F(MainWindowTest, RightClicksDoNothingOutsideTheStartPagePane) {
    Start();
    form->ListBox->addItem("second");
    form->ListBox->setCurrentRow(0);
    form->ListBox->setContextMenuPolicy(Qt::CustomContextMenu);
    QSignalSpy listMenus(form->ListBox, &QWidget::customContextMenuRequested);
    form->suiPageControl1->setCurrentWidget(form->guanliTabSheet);
    QWidget* rows = form->ListBox->viewport();
    const QPoint second = form->ListBox->visualItemRect(form->ListBox->item(1)).center();
    QTest::mouseClick(rows, Qt::RightButton, {}, second);
    QContextMenuEvent menu(QContextMenuEvent::Mouse, second, rows->mapToGlobal(second));
    QApplication::sendEvent(rows, &menu);
    EXPECT_EQ(form->ListBox->currentRow(), 0) << "a right press must not select";
    EXPECT_EQ(listMenus.count(), 0);
    QTest::mouseClick(rows, Qt::LeftButton, {}, second);
    EXPECT_EQ(form->ListBox->currentRow(), 1) << "left clicks still work";

    // Anything inside the start page pane keeps its right clicks.
    QWidget inner(form->CppWebBrowser1);
    inner.setContextMenuPolicy(Qt::CustomContextMenu);
    QSignalSpy paneMenus(&inner, &QWidget::customContextMenuRequested);
    QContextMenuEvent inside(QContextMenuEvent::Mouse, QPoint(5, 5),
                             inner.mapToGlobal(QPoint(5, 5)));
    QApplication::sendEvent(&inner, &inside);
    EXPECT_EQ(paneMenus.count(), 1);
}

// Runs on real screens of common sizes, one ctest entry each; the figures
// per screen are the core's.
TEST_F(MainWindowTest, ScreenSizesPutTheWholeWindowOnTheScreen) {
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    const ScreenFit fit = FitToScreen(screen.width(), screen.height(), 1080, 800);
    Start();
    EXPECT_EQ(form->minimumSize(), QSize(fit.minimumWidth, fit.minimumHeight));
    EXPECT_EQ(form->geometry(), QRect(fit.left, fit.top, fit.width, fit.height));
    // The frame draws the title bar, so the frame as drawn is the whole window.
    const QRect drawn(form->suiForm1->mapToGlobal(QPoint(0, 0)), form->suiForm1->size());
    EXPECT_EQ(drawn, form->frameGeometry());
    EXPECT_TRUE(screen.contains(drawn)) << "title bar and status line on the screen";
}

} // namespace
