// The skinned frame on a real frameless window: its buttons, and moving and
// resizing by mouse, which it must do itself since Xvfb has no window manager.
#include <QAbstractButton>
#include <QApplication>
#include <QMenu>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

#include "support/waits.h"
#include "ui/skin/suiForm.h"

namespace {

class SkinFrame : public ::testing::Test {
protected:
    void SetUp() override {
        window.setMinimumSize(300, 200);
        window.setGeometry(100, 100, 500, 350);
        window.show();
        ASSERT_TRUE(WaitExposed(&window));
    }

    QAbstractButton* button(const char* name) { return frame.findChild<QAbstractButton*>(name); }

    // Presses the left button at `from` on the frame, moves to `to`, releases there.
    void drag(QPoint from, QPoint to) {
        QTest::mousePress(&frame, Qt::LeftButton, {}, from);
        QTest::mouseMove(&frame, to);
        QTest::mouseRelease(&frame, Qt::LeftButton, {}, to);
        QApplication::processEvents();
    }

    QWidget window{nullptr, Qt::FramelessWindowHint};
    suiForm frame{&window};
};

TEST_F(SkinFrame, CoversTheWindowAndFollowsItsSize) {
    EXPECT_EQ(frame.geometry(), window.rect());
    window.resize(640, 420);
    QApplication::processEvents();
    EXPECT_EQ(frame.geometry(), window.rect());
    const QRect client = frame.clientArea()->geometry();
    EXPECT_EQ(client.top(), suiForm::TitleHeight);
    EXPECT_EQ(client.bottom(), frame.height() - suiForm::BorderWidth - 1);
    // The close button stays at the right end after the size change.
    EXPECT_GT(button("closeButton")->geometry().right(), frame.width() - 20);
}

TEST_F(SkinFrame, CaptionIsAlsoTheWindowTitle) {
    frame.setCaption(QStringLiteral("关于Tavinor"));
    EXPECT_EQ(frame.caption(), QStringLiteral("关于Tavinor"));
    EXPECT_EQ(window.windowTitle(), QStringLiteral("关于Tavinor"));
}

TEST_F(SkinFrame, ConnectedCloseAndMinimizeOnlyEmit) {
    QSignalSpy closed(&frame, &suiForm::closeRequested);
    QSignalSpy minimized(&frame, &suiForm::minimizeRequested);
    QTest::mouseClick(button("closeButton"), Qt::LeftButton);
    QTest::mouseClick(button("minimizeButton"), Qt::LeftButton);
    EXPECT_EQ(closed.count(), 1);
    EXPECT_EQ(minimized.count(), 1);
    EXPECT_TRUE(window.isVisible());
    EXPECT_FALSE(window.isMinimized());
}

TEST_F(SkinFrame, UnconnectedCloseClosesTheWindow) {
    QTest::mouseClick(button("closeButton"), Qt::LeftButton);
    EXPECT_FALSE(window.isVisible());
}

TEST_F(SkinFrame, MaximizeButtonAndTitleDoubleClickToggle) {
    QSignalSpy toggled(&frame, &suiForm::maximizeRequested);
    QTest::mouseClick(button("maximizeButton"), Qt::LeftButton);
    EXPECT_TRUE(window.isMaximized());
    QTest::mouseClick(button("maximizeButton"), Qt::LeftButton);
    EXPECT_FALSE(window.isMaximized());
    QTest::mouseDClick(&frame, Qt::LeftButton, {}, QPoint(200, 12));
    EXPECT_TRUE(window.isMaximized());
    EXPECT_EQ(toggled.count(), 3);
    window.showNormal();

    // A fixed-size dialog has no maximise button, and double clicks do nothing.
    frame.setMaximizeButtonVisible(false);
    EXPECT_TRUE(button("maximizeButton")->isHidden());
    QTest::mouseDClick(&frame, Qt::LeftButton, {}, QPoint(200, 12));
    EXPECT_FALSE(window.isMaximized());
}

TEST_F(SkinFrame, ControlBoxMenuOffersTheWindowCommands) {
    QSignalSpy closed(&frame, &suiForm::closeRequested);
    QTest::mouseClick(button("controlBoxButton"), Qt::LeftButton);
    auto* menu = frame.findChild<QMenu*>("controlBoxMenu");
    ASSERT_NE(menu, nullptr);
    ASSERT_TRUE(menu->isVisible());
    const QList<QAction*> actions = menu->actions();
    ASSERT_EQ(actions.size(), 5);
    EXPECT_EQ(actions[0]->text(), QStringLiteral("还原"));
    EXPECT_FALSE(actions[0]->isEnabled()); // nothing to restore from a normal window
    EXPECT_TRUE(actions[2]->isEnabled());
    actions[4]->trigger();
    menu->close();
    EXPECT_EQ(closed.count(), 1);
}

TEST_F(SkinFrame, DraggingTheTitleBarMovesTheWindow) {
    const QRect before = window.geometry();
    drag(QPoint(200, 12), QPoint(260, 52));
    EXPECT_EQ(window.geometry(), before.translated(60, 40));
}

TEST_F(SkinFrame, DraggingTheBottomRightCornerResizesDownToTheMinimum) {
    const QPoint corner(frame.width() - 2, frame.height() - 2);
    const QRect before = window.geometry();
    drag(corner, corner + QPoint(100, 50));
    EXPECT_EQ(window.geometry(), QRect(before.topLeft(), before.size() + QSize(100, 50)));

    const QPoint newCorner(frame.width() - 2, frame.height() - 2);
    drag(newCorner, newCorner - QPoint(1000, 1000));
    EXPECT_EQ(window.geometry(), QRect(before.topLeft(), QSize(300, 200)));
}

TEST_F(SkinFrame, DraggingTheLeftEdgeKeepsTheRightEdge) {
    const QRect before = window.geometry();
    drag(QPoint(1, 150), QPoint(51, 170));
    EXPECT_EQ(window.geometry(), before.adjusted(50, 0, 0, 0));
    drag(QPoint(1, 150), QPoint(900, 150));
    EXPECT_EQ(window.width(), 300);
    EXPECT_EQ(window.geometry().right(), before.right());
}

TEST_F(SkinFrame, FixedSizeWindowsAndTheClientAreaDoNotResize) {
    // Presses inside the client area belong to the window's controls.
    const QRect before = window.geometry();
    QWidget* client = frame.clientArea();
    QTest::mousePress(client, Qt::LeftButton, {}, QPoint(2, 2));
    QTest::mouseMove(client, QPoint(80, 80));
    QTest::mouseRelease(client, Qt::LeftButton, {}, QPoint(80, 80));
    EXPECT_EQ(window.geometry(), before);

    window.setFixedSize(before.size());
    const QPoint corner(frame.width() - 2, frame.height() - 2);
    drag(corner, corner + QPoint(100, 50));
    EXPECT_EQ(window.size(), before.size());
}

} // namespace
