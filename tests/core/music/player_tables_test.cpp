#include <cstring>
#include <gtest/gtest.h>

#include "core/music/player_tables.h"
#include "core/shell/open_address.h"
#include "core/text/gbk_text.h"

namespace {

PlayerSlot Player(const char* url, const char* title = "t") {
    PlayerSlot slot{};
    CopyField(slot.url, sizeof slot.url, url);
    CopyField(slot.title, sizeof slot.title, title);
    return slot;
}

// Every recommended player must be loadable and fit its 63-byte field.
TEST(RecommendedPlayers, FourPlainWebPlayersAndAnEmptyFifth) {
    const auto players = BuiltInRecommendedPlayers();
    for (int n = 0; n < 4; ++n) {
        const std::string url = PlayerUrl(players[n]);
        EXPECT_EQ(url.substr(0, 7), "http://");
        EXPECT_EQ(JudgeBrowserAddress(url, ""), BrowserAddress::Web) << url;
        EXPECT_LT(url.size(), sizeof players[n].url);
        EXPECT_FALSE(PlayerTitle(players[n]).empty());
    }
    EXPECT_EQ(players[3].top, 120) << "the one whose page has a head band";
    const PlayerSlot empty{};
    EXPECT_EQ(std::memcmp(&players[4], &empty, sizeof empty), 0);
}

TEST(PlayerList, ListsSlotsWithAnAddressAndSelectsTheChoiceOnlyWhenListed) {
    PlayerTable players = {Player("http://a/", "A"), Player(" \t ", "blank"),
                           Player(" http://c/ ", "C"), Player("", "none"), Player("x", "X")};
    EXPECT_EQ(ListedPlayerTitles(players), (std::vector<std::string>{"A", "C", "X"}));
    EXPECT_EQ(ListedChoice(0, 3), -1);
    EXPECT_EQ(ListedChoice(2, 3), 1);
    EXPECT_EQ(ListedChoice(4, 3), -1);
}

TEST(MusicPageEntry, NoPlayersAskAndAChoiceBeyondTheTablePlaysNothing) {
    const MusicPageEntrySteps none = EnterMusicPage(0, 1);
    EXPECT_TRUE(none.askForPlayers);
    EXPECT_EQ(none.slot, -1);
    // Past the list's end the selection stays and the named slot still plays,
    // but never a slot past the table's end.
    const MusicPageEntrySteps past = EnterMusicPage(2, 4);
    EXPECT_EQ((std::array{past.select, past.playerChoice, past.slot}), (std::array{-1, 4, 3}));
    EXPECT_EQ(EnterMusicPage(2, 6).slot, -1);
}

TEST(PlayerAddresses, OnlyWebAddressesAreLoadedTrimmed) {
    EXPECT_EQ(PlayableAddress(Player("  http://music.example/fm  ")), "http://music.example/fm");
    for (const char* url : {"javascript:alert(1)", "/home/u/x.htm", "about:blank", ""})
        EXPECT_EQ(PlayableAddress(Player(url)), "") << url;
}

TEST(ScrollingElement, StandardsModeInAnyCaseTargetsTheRootElement) {
    for (const char* mode : {"CSS1Compat", "css1compat"})
        EXPECT_STREQ(ScrollingElement(mode), "documentElement") << mode;
    for (const char* mode : {"BackCompat", "", "CSS1Compat "})
        EXPECT_STREQ(ScrollingElement(mode), "body") << mode;
}

} // namespace
