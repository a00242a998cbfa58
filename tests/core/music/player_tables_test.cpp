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

std::string Path(const PlayerSlot& slot) {
    const std::string url = PlayerUrl(slot);
    return url.substr(url.find('/', std::strlen("http://")));
}

TEST(RecommendedPlayers, FourWebPlayersAndAnEmptyFifth) {
    const auto players = BuiltInRecommendedPlayers();
    const char* titles[] = {"\xB9\xC8\xB8\xE8\xB2\xA5\xB7\xC5\xC6\xF7",
                            "\xCB\xD1\xB9\xB7\xB2\xA5\xB7\xC5\xC6\xF7",
                            "\xB6\xB9\xB0\xEA\xB5\xE7\xCC\xA8", "\xC8\xCB\xC8\xCB\xB5\xE7\xCC\xA8"};
    const char* paths[] = {"/16667639/html/player.html#loaded", "/player", "/radio", "/fm"};
    const int sizes[][3] = {{780, 516, 20}, {640, 544, 20}, {500, 520, 20}, {1000, 520, 120}};
    for (int n = 0; n < 4; ++n) {
        const PlayerSlot& slot = players[n];
        EXPECT_EQ(PlayerTitle(slot), titles[n]);
        EXPECT_EQ(PlayerUrl(slot).rfind("http://", 0), 0u) << "plain http";
        EXPECT_EQ(JudgeBrowserAddress(PlayerUrl(slot), ""), BrowserAddress::Web);
        EXPECT_EQ(Path(slot), paths[n]);
        EXPECT_EQ((std::array{slot.width, slot.height, slot.top}),
                  (std::array{sizes[n][0], sizes[n][1], sizes[n][2]}));
    }
    EXPECT_EQ(PlayerUrl(players[4]), "");
    EXPECT_EQ(PlayerTitle(players[4]), "");
    EXPECT_EQ((std::array{players[4].width, players[4].height, players[4].top}),
              (std::array{0, 0, 0}));
}

TEST(PlayerList, ListsSlotsWithAnAddressAndSelectsTheChoiceOnlyWhenListed) {
    PlayerTable players = {Player("http://a/", "A"), Player(" \t ", "blank"),
                           Player(" http://c/ ", "C"), Player("", "none"), Player("x", "X")};
    EXPECT_EQ(ListedPlayerTitles(players), (std::vector<std::string>{"A", "C", "X"}));
    EXPECT_EQ(ListedChoice(0, 3), -1);
    EXPECT_EQ(ListedChoice(2, 3), 1);
    EXPECT_EQ(ListedChoice(3, 3), 2);
    EXPECT_EQ(ListedChoice(4, 3), -1);
    EXPECT_EQ(ListedChoice(-1, 3), -1);
}

TEST(MusicPageEntry, PicksTheSelectionTheChoiceAndTheSlotToPlay) {
    const MusicPageEntrySteps none = EnterMusicPage(0, 1);
    EXPECT_TRUE(none.askForPlayers);
    EXPECT_EQ(none.slot, -1);
    EXPECT_EQ(none.playerChoice, 1) << "the choice stays";

    const MusicPageEntrySteps first = EnterMusicPage(3, 0);
    EXPECT_FALSE(first.askForPlayers);
    EXPECT_EQ((std::array{first.select, first.playerChoice, first.slot}), (std::array{0, 1, 0}));

    const MusicPageEntrySteps second = EnterMusicPage(3, 2);
    EXPECT_EQ((std::array{second.select, second.playerChoice, second.slot}), (std::array{1, 2, 1}));

    // Past the list's end: the selection stays and the named slot still plays.
    const MusicPageEntrySteps past = EnterMusicPage(2, 4);
    EXPECT_EQ((std::array{past.select, past.playerChoice, past.slot}), (std::array{-1, 4, 3}));

    // A choice no slot answers to plays nothing instead of reading past the table.
    EXPECT_EQ(EnterMusicPage(2, 6).slot, -1);
    EXPECT_EQ(ChosenSlot(5), 4);
    EXPECT_EQ(ChosenSlot(0), -1);
}

TEST(PlayableAddress, OnlyWebAddressesAreLoadedAndTheyAreTrimmed) {
    EXPECT_EQ(PlayableAddress(Player("  http://music.example/fm  ")), "http://music.example/fm");
    EXPECT_EQ(PlayableAddress(Player("HTTPS://music.example/")), "HTTPS://music.example/");
    for (const char* url : {"javascript:alert(1)", "file:///etc/passwd", "/home/u/x.htm",
                            "data:text/html,<b>x</b>", "about:blank", "music.example/fm", ""})
        EXPECT_EQ(PlayableAddress(Player(url)), "") << url;
}

TEST(ScrollingElement, StandardsModeInAnyCaseTargetsTheRootElement) {
    for (const char* mode : {"CSS1Compat", "css1compat", "CSS1COMPAT"})
        EXPECT_STREQ(ScrollingElement(mode), "documentElement") << mode;
    for (const char* mode : {"BackCompat", "", "undefined", "CSS1Compat "})
        EXPECT_STREQ(ScrollingElement(mode), "body") << mode;
}

} // namespace
