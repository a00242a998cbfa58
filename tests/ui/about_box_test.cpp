// The about box: its contents, its one size, its link and its modal run.
#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "support/browser_recorder.h"
#include "support/waits.h"
#include "ui/main_window_fixture.h"
#include "ui/shell/TForm3.h"
#include "ui/shell/app_start.h"
#include "ui/skin/suiForm.h"
#include "ui/skin/suiURLLabel.h"

namespace {

class AboutBoxTest : public MainWindowFixture {
protected:
    void SetUp() override {
        MainWindowFixture::SetUp();
        about = std::make_unique<TForm3>();
    }
    std::unique_ptr<TForm3> about;
};

TEST_F(AboutBoxTest, ShowsCaptionVersionAndTheSiteLink) {
    EXPECT_EQ(about->windowTitle(), "关于Tavinor");
    EXPECT_EQ(about->suiForm1->caption(), "关于Tavinor");
    EXPECT_EQ(about->Label1->text(), "Tavinor(V1.0)   ");
    EXPECT_EQ(about->suiURLLabel1->text(), StartPage());

    about->show();
    ASSERT_TRUE(WaitExposed(about.get()));
    // The title bar belongs to the 284 x 193 design area, not added outside it.
    EXPECT_EQ(about->width(), 300);
    EXPECT_TRUE(about->height() >= 203 && about->height() <= 205) << about->height();
    const auto inFrame = [&](QWidget* control) {
        return QRect(control->mapTo(about->suiForm1, QPoint(0, 0)), control->size());
    };
    EXPECT_EQ(inFrame(about->Image1), QRect(45, 29, 225, 81));
    EXPECT_EQ(inFrame(about->suiButton1), QRect(189, 152, 80, 27));
    QTest::mouseClick(about->suiURLLabel1, Qt::LeftButton);
    ASSERT_TRUE(WaitFor([] { return !OpenedAddresses().isEmpty(); }, 5000));
    EXPECT_EQ(OpenedAddresses(), QStringList{StartPage()});
}

TEST_F(AboutBoxTest, RefusesEveryResizeAndMaximise) {
    about->show();
    ASSERT_TRUE(WaitExposed(about.get()));
    const QSize size = about->size();
    EXPECT_FALSE(about->suiForm1->isMaximizeButtonVisible());
    about->resize(size + QSize(100, 80));
    EXPECT_EQ(about->size(), size);
    about->showMaximized();
    Linger(100);
    EXPECT_FALSE(about->isMaximized());
    EXPECT_EQ(about->size(), size);
    QTest::mouseDClick(about->suiForm1, Qt::LeftButton, {}, QPoint(60, 10));
    EXPECT_EQ(about->size(), size);
}

TEST_F(AboutBoxTest, TrayItemShowsItModallyUntilClosed) {
    Start();
    Form3 = about.get();
    bool wasModal = false;
    QObject scope; // no click after this body ends
    QTimer::singleShot(300, &scope, [&] {
        wasModal = QApplication::activeModalWidget() == about.get();
        QTest::mouseClick(about->suiButton1, Qt::LeftButton);
    });
    form->N3->trigger(); // returns only when the box is closed
    Form3 = nullptr;
    EXPECT_TRUE(wasModal);
    EXPECT_FALSE(about->isVisible());
}

} // namespace
