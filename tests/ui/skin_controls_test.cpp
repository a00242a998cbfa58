// Skins on real controls, judged by what they paint, and the small skinned
// controls (page control, image button, link label) under real mouse events.
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QCursor>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalSpy>
#include <QTabBar>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>

#include "support/waits.h"
#include "ui/skin/suiBuiltInFileTheme.h"
#include "ui/skin/suiForm.h"
#include "ui/skin/suiImageButton.h"
#include "ui/skin/suiMessageDialog.h"
#include "ui/skin/suiPageControl.h"
#include "ui/skin/suiThemeManager.h"
#include "ui/skin/suiURLLabel.h"

namespace {

QImage Look(QWidget* widget) {
    return widget->grab().toImage();
}

class SkinTheme : public ::testing::Test {
protected:
    void SetUp() override {
        window.resize(520, 360);
        QWidget* client = frame.clientArea();
        pages = new suiPageControl(client);
        pages->setGeometry(0, 0, 500, 200);
        auto* page = new QWidget;
        pages->addTab(page, QStringLiteral("收藏夹"));
        pages->addTab(new QWidget, QStringLiteral("在线听音乐"));
        pageEdit = new QLineEdit("unregistered", page);
        pageEdit->setGeometry(10, 10, 150, 22);
        controls = {new QPushButton(QStringLiteral("添加"), client),
                    new QLineEdit("http://", client),
                    new QCheckBox(QStringLiteral("本类全选"), client), new QListWidget(client),
                    new QComboBox(client)};
        int x = 0;
        for (QWidget* control : controls) {
            control->setGeometry(x, 210, 90, control == controls[3] ? 80 : 24);
            x += 100;
            manager.addControl(control);
        }
        static_cast<QCheckBox*>(controls[2])->setChecked(true);
        static_cast<QListWidget*>(controls[3])->addItems({"one", "two"});
        static_cast<QListWidget*>(controls[3])->setCurrentRow(0);
        manager.addControl(&frame);
        manager.addControl(pages);
        window.show();
        ASSERT_TRUE(WaitExposed(&window));
    }

    // What the registered controls and the frame's title bar look like now.
    QList<QImage> looks() {
        QApplication::processEvents();
        QList<QImage> images;
        for (QWidget* control : controls)
            images << Look(control);
        images << Look(&frame).copy(0, 0, frame.width(), suiForm::TitleHeight);
        images << Look(pages->tabBar());
        return images;
    }

    QWidget window{nullptr, Qt::FramelessWindowHint};
    suiForm frame{&window};
    suiThemeManager manager;
    suiPageControl* pages = nullptr;
    QLineEdit* pageEdit = nullptr;
    QList<QWidget*> controls;
};

TEST_F(SkinTheme, SwitchingChangesEveryRegisteredControlAndBackRestoresIt) {
    manager.setFileTheme(&BuiltInTheme(1));
    const QList<QImage> first = looks();
    manager.setFileTheme(&BuiltInTheme(2));
    const QList<QImage> second = looks();
    EXPECT_EQ(manager.fileTheme(), &BuiltInTheme(2));
    ASSERT_EQ(first.size(), second.size());
    for (int i = 0; i < first.size(); ++i)
        EXPECT_NE(first[i], second[i]) << "control " << i << " kept its look";
    manager.setFileTheme(&BuiltInTheme(1));
    EXPECT_EQ(looks(), first);
}

TEST_F(SkinTheme, PageControlKeepsItsTabOffsetAndBorderAndLeavesItsPagesAlone) {
    const QImage unskinnedPage = Look(pageEdit);
    for (int skin : {1, 2}) {
        manager.setFileTheme(&BuiltInTheme(skin));
        QApplication::processEvents();
        EXPECT_EQ(pages->tabBar()->x(), suiPageControl::TabStripLeft) << "skin " << skin;
        const QImage look = Look(pages);
        const int belowTabs = pages->tabBar()->geometry().bottom() + 20;
        EXPECT_EQ(look.pixelColor(0, belowTabs), suiPageControl::borderColor()) << "skin " << skin;
        EXPECT_EQ(look.pixelColor(look.width() - 1, belowTabs), suiPageControl::borderColor());
        EXPECT_EQ(Look(pageEdit), unskinnedPage) << "skin " << skin;
    }
}

TEST_F(SkinTheme, DestroyedItemsAreDroppedAndLateOnesGetTheCurrentSkin) {
    auto* doomed = new QPushButton("doomed", frame.clientArea());
    auto* doomedDialog = new suiMessageDialog(&window);
    manager.addControl(doomed);
    manager.addComponent(doomedDialog);
    delete doomed;
    delete doomedDialog;
    manager.setFileTheme(&BuiltInTheme(2));
    manager.setFileTheme(&BuiltInTheme(1));

    manager.setFileTheme(&BuiltInTheme(2));
    QPushButton late(QStringLiteral("添加"), frame.clientArea());
    late.setGeometry(controls[0]->geometry());
    manager.addControl(&late);
    late.show();
    QApplication::processEvents();
    EXPECT_EQ(Look(&late), Look(controls[0]));
}

TEST_F(SkinTheme, AControlOnAPageNotShownIsSkinnedWhenItsPageIs) {
    manager.setFileTheme(&BuiltInTheme(2));
    manager.setFileTheme(&BuiltInTheme(1));
    auto* hidden = new QLineEdit("http://", pages->widget(1));
    hidden->setGeometry(QRect(QPoint(10, 10), controls[1]->size()));
    manager.addControl(hidden);
    manager.setFileTheme(&BuiltInTheme(2));
    pages->setCurrentIndex(1);
    QApplication::processEvents();
    EXPECT_EQ(Look(hidden), Look(controls[1])) << "the second skin, not the first";
}

TEST(SkinThemes, TheTwoBuiltInSkinsDifferAndOtherNumbersGiveSkinOne) {
    EXPECT_EQ(BuiltInTheme(1).number(), 1);
    EXPECT_EQ(BuiltInTheme(2).number(), 2);
    EXPECT_EQ(&BuiltInTheme(0), &BuiltInTheme(1));
    EXPECT_NE(BuiltInTheme(1).frame().titleTop, BuiltInTheme(2).frame().titleTop);
    // Every value placeholder must have been filled in.
    for (int skin : {1, 2})
        EXPECT_FALSE(BuiltInTheme(skin).styleSheet().contains('@')) << "skin " << skin;
}

class SkinPointer : public ::testing::Test {
protected:
    void SetUp() override {
        window.resize(300, 100);
        window.move(50, 50);
        window.show();
        ASSERT_TRUE(WaitExposed(&window));
        QCursor::setPos(window.mapToGlobal(QPoint(290, 90)));
        QApplication::processEvents();
    }

    QWidget window;
};

TEST_F(SkinPointer, ImageButtonShowsHoverAndPressAndClicks) {
    suiImageButton button(&window);
    QPixmap picture(12, 12);
    picture.fill(Qt::darkRed);
    button.setPixmap(picture);
    button.setToolTip(QStringLiteral("刷新"));
    button.setGeometry(10, 10, 25, 20);
    button.show();
    QSignalSpy clicked(&button, &QAbstractButton::clicked);
    const QImage normal = Look(&button);

    QTest::mouseMove(&button); // moves the real pointer onto it
    ASSERT_TRUE(WaitFor([&] { return button.isHovered(); }));
    const QImage hovered = Look(&button);
    QTest::mousePress(&button, Qt::LeftButton);
    const QImage pressed = Look(&button);
    QTest::mouseRelease(&button, Qt::LeftButton);
    EXPECT_NE(hovered, normal);
    EXPECT_NE(pressed, hovered);
    EXPECT_NE(pressed, normal);
    EXPECT_EQ(clicked.count(), 1);

    QTest::mouseMove(&window, QPoint(290, 90));
    ASSERT_TRUE(WaitFor([&] { return !button.isHovered(); }));
    EXPECT_EQ(Look(&button), normal);
}

TEST_F(SkinPointer, UrlLabelTurnsRedUnderTheMouseAndReportsLeftClicks) {
    suiURLLabel label(&window);
    label.setText("http://www.tavinor.com");
    label.setUrl("http://www.tavinor.com/");
    label.setGeometry(10, 10, 200, 20);
    label.show();
    QSignalSpy clicked(&label, &suiURLLabel::clicked);
    auto color = [&] { return label.palette().color(QPalette::WindowText); };
    EXPECT_EQ(color(), QColor(Qt::blue));
    EXPECT_TRUE(label.font().underline());

    QTest::mouseMove(&label);
    EXPECT_TRUE(WaitFor([&] { return color() == QColor(Qt::red); }));
    QTest::mouseClick(&label, Qt::RightButton);
    QTest::mouseClick(&label, Qt::LeftButton);
    ASSERT_EQ(clicked.count(), 1);
    EXPECT_EQ(clicked[0][0].toString(), "http://www.tavinor.com/");

    QTest::mouseMove(&window, QPoint(290, 90));
    EXPECT_TRUE(WaitFor([&] { return color() == QColor(Qt::blue); }));
}

} // namespace
