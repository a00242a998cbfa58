#include <gtest/gtest.h>

#include "core/shell/layout_rules.h"

namespace {

// A frame of the design size with a 4-pixel border; the sheets sit 1 pixel
// inside a page control whose tabs take 24 pixels.
TEST(LayOutMainWindow, DesignSizePlacesTheStripAndTheStatusLine) {
    const MainWindowLayout l = LayOutMainWindow({1080, 800, 4}, {1, 1070, 745});
    EXPECT_EQ(l.button1Height, 0);
    EXPECT_EQ(l.suiPageControl1, (LayoutRect{0, 26, 1072, 770})) << "inside the border";
    EXPECT_EQ(l.ieBtnLeft, 912);
    EXPECT_EQ(l.freshBtnLeft, 2);
    EXPECT_EQ(l.lockBtnLeft, 1044);
    EXPECT_EQ(l.skinBtnLeft, 1019);
    EXPECT_EQ(l.edit2, (LayoutPoint{6, 778})) << "22 pixels above the frame's bottom edge";
    EXPECT_EQ(l.CppWebBrowser1, (LayoutRect{-2, 0, 1070, 745}));
    EXPECT_EQ(l.mineWebBrowser, l.CppWebBrowser1);
}

TEST(LayOutMainWindow, FavoritesPageFollowsTheSheetHeightAndFrameWidth) {
    const MainWindowLayout l = LayOutMainWindow({1008, 700, 4}, {1, 998, 640});
    EXPECT_EQ(l.ListBox, (LayoutRect{12, 16, 161, 570}));
    // R = 173; the button row is 6 below the list.
    EXPECT_EQ(l.delCatButton, (LayoutRect{73, 592, 100, 20}));
    EXPECT_EQ(l.upImgBtn, (LayoutPoint{12, 590}));
    EXPECT_EQ(l.downImgBtn, (LayoutPoint{32, 590}));
    EXPECT_EQ(l.searchEdit, (LayoutRect{181, 16, 470, 22}));
    EXPECT_EQ(l.ScrollBox, (LayoutRect{181, 44, 470, 542})) << "ends with the list";
    EXPECT_EQ(l.fav_num_label, (LayoutPoint{181, 596}));
    // R2 = 173 + 470 + 8 = 651.
    EXPECT_EQ(l.delFavButton, (LayoutPoint{539, 592}));
    EXPECT_EQ(l.selectAllCheckBox, (LayoutPoint{459, 592}));
    EXPECT_EQ(l.setting_panel, (LayoutRect{659, 0, 337, 640}));
    EXPECT_EQ(l.setGroupBox, (LayoutPoint{8, 329}));
    // The list and the settings end on the same line.
    EXPECT_EQ(l.setting_panel.top + l.setGroupBox.top + 257, l.ListBox.top + l.ListBox.height);
}

} // namespace
