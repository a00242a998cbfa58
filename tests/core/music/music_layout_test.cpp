#include <climits>
#include <gtest/gtest.h>

#include "core/music/music_layout.h"

namespace {

// A music page 25 pixels down in the page control, its caption 81 wide.
MusicLayout Lay(int frameWidth, int choice, const PlayerTable& players) {
    return LayOutMusicPage(frameWidth, {1, 25, frameWidth - 2, 600}, choice, players, 81);
}

TEST(LayOutMusicPage, NoChoiceCentresTheDesignPaneAndFramesIt) {
    const PlayerTable players{};
    const MusicLayout l = Lay(1240, 0, players);
    EXPECT_EQ(l.CppWebBrowser3, (LayoutRect{120, 65, 1000, 560}));
    EXPECT_EQ(l.up, (LayoutRect{116, 49, 1006, 20}));
    EXPECT_EQ(l.left, (LayoutRect{104, 49, 20, 574}));
    EXPECT_EQ(l.right, (LayoutRect{1108, 49, 20, 574}));
    EXPECT_EQ(l.bottom, (LayoutRect{104, 623, 1024, 20}));
    EXPECT_EQ(l.Edit7, (LayoutPoint{40, 560}));
    EXPECT_EQ(l.musicCboxLeft, 1018);
    EXPECT_EQ(l.playerCaptionLeft, 939);
    EXPECT_EQ(l.musicSettingLeft, 1178);
    EXPECT_EQ(l.bg_img, (LayoutRect{0, 0, 1238, 600}));
    EXPECT_EQ(l.CppWebBrowser2.width, 1);
    EXPECT_EQ(l.CppWebBrowser2.height, 1);
    // A choice that names no slot falls back to the same pane.
    EXPECT_EQ(Lay(1240, 6, players).CppWebBrowser3, l.CppWebBrowser3);
}

TEST(LayOutMusicPage, SizesFromAFileAreKeptWithinReach) {
    PlayerTable players{};
    players[0] = {"http://x/", "odd", INT_MAX, -5, INT_MIN};
    const MusicLayout l = Lay(1000, 1, players);
    EXPECT_EQ(l.CppWebBrowser3, (LayoutRect{0, 65, 65536, 0}));
    EXPECT_EQ(l.up.height, 0);
    EXPECT_EQ(l.right.left, 65536 - 12);
}

} // namespace
