#include <cstring>
#include <gtest/gtest.h>

#include "core/music/settings_rules.h"

namespace {

PlayerSlot Slot(const char* url, const char* title, int top = 20) {
    PlayerSlot slot{};
    std::strcpy(slot.url, url);
    std::strcpy(slot.title, title);
    slot.width = 640;
    slot.height = 480;
    slot.top = top;
    return slot;
}

std::string Url(const PlayerSlot& slot) {
    return slot.url;
}

TEST(QuickLinkRules, TwelveFitTrimmedAndCutOnCharactersThenTheTableIsFull) {
    Store store;
    int count = CountQuickLinks(store);
    std::string stored;
    // 8 double-byte characters are 16 bytes: the title keeps 7 of them.
    const std::string title = "  " + std::string(16, '\xB0') + " ";
    ASSERT_EQ(AddQuickLink(store, count, title, " www.example.test ", stored), TableEdit::Done);
    EXPECT_EQ(stored, std::string(14, '\xB0'));
    EXPECT_STREQ(store.quickLinks[0].url, "www.example.test") << "stored as typed, trimmed";
    EXPECT_EQ(AddQuickLink(store, count, "", "x", stored), TableEdit::Empty);
    EXPECT_EQ(AddQuickLink(store, count, "t", "", stored), TableEdit::Empty);
    for (int n = 1; n < kQuickLinkCount; ++n)
        ASSERT_EQ(
            AddQuickLink(store, count, "t" + std::to_string(n), "u" + std::to_string(n), stored),
            TableEdit::Done);
    const Store before = store;
    EXPECT_EQ(AddQuickLink(store, count, "more", "more", stored), TableEdit::Full);
    EXPECT_EQ(count, 12);
    EXPECT_EQ(std::memcmp(before.quickLinks, store.quickLinks, sizeof store.quickLinks), 0);

    // Deleting closes the gap and empties the last slot; no line, no change.
    EXPECT_FALSE(DeleteQuickLink(store, count, -1));
    EXPECT_FALSE(DeleteQuickLink(store, count, 12));
    ASSERT_TRUE(DeleteQuickLink(store, count, 0));
    EXPECT_EQ(count, 11);
    EXPECT_STREQ(store.quickLinks[0].url, "u1");
    EXPECT_STREQ(store.quickLinks[10].url, "u11");
    EXPECT_STREQ(store.quickLinks[11].url, "");
    EXPECT_EQ(CountQuickLinks(store), 11);
}

TEST(QuickLinkRules, BlanksPassTheEmptinessTestAndEndTheListWhenStored) {
    Store store;
    int count = 0;
    std::string stored;
    ASSERT_EQ(AddQuickLink(store, count, "a", "http://a.test/", stored), TableEdit::Done);
    ASSERT_EQ(AddQuickLink(store, count, "   ", "   ", stored), TableEdit::Done);
    EXPECT_EQ(stored, "");
    ASSERT_EQ(AddQuickLink(store, count, "c", "http://c.test/", stored), TableEdit::Done);
    EXPECT_EQ(count, 3);
    EXPECT_EQ(CountQuickLinks(store), 1) << "the next showing lists up to the empty address";
}

TEST(PlayerRules, SizesFallBackToTheDefaultsAndZeroIsKept) {
    EXPECT_EQ(PlayerSizeValue("1001", 1000), 1000);
    EXPECT_EQ(PlayerSizeValue("  ", 1000), 1000);
    EXPECT_EQ(PlayerSizeValue("0", 1000), 0);
    EXPECT_EQ(PlayerSizeValue(" 999 ", 1000), 999);
    EXPECT_EQ(PlayerSizeValue("561", 560), 560);
    EXPECT_EQ(PlayerSizeValue("", 560), 560);
    // Pasted text that is no decimal number counts as blank.
    for (const char* pasted : {"12a", "-5", "0x10", "1 2", "99999999999999999999"})
        EXPECT_EQ(PlayerSizeValue(pasted, 560), 560) << pasted;
}

TEST(PlayerRules, SameAddressUpdatesFiveIsTheLimitAndTheTopComesFromTheRecommendedTable) {
    std::array<PlayerSlot, kPlayerSlotCount> recommended{Slot("http://fm.test/fm", "fm", 120),
                                                         Slot("http://b.test/", "b", 20)};
    StoreHeader header{};
    int count = CountPlayers(header);
    PlayerEdit edit =
        AddOrUpdatePlayer(header, count, {" fm ", "http://fm.test/fm", "", "0"}, recommended);
    ASSERT_EQ(edit.result, TableEdit::Done);
    EXPECT_TRUE(edit.added);
    EXPECT_EQ(edit.listed, "fm") << "the list shows the title trimmed";
    EXPECT_STREQ(header.players[0].title, " fm ") << "stored as typed";
    EXPECT_EQ(header.players[0].width, 1000);
    EXPECT_EQ(header.players[0].height, 0);
    EXPECT_EQ(header.players[0].top, 120);

    edit = AddOrUpdatePlayer(header, count, {"other", " http://other.test/ ", "300", "200"},
                             recommended);
    EXPECT_EQ(Url(header.players[1]), " http://other.test/ ");
    EXPECT_EQ(header.players[1].top, 20) << "no recommended player has this address";

    // The same trimmed address updates title and size; the address stays.
    edit = AddOrUpdatePlayer(header, count, {"renamed", "http://other.test/", "1001", "561"},
                             recommended);
    ASSERT_EQ(edit.result, TableEdit::Done);
    EXPECT_FALSE(edit.added);
    EXPECT_EQ(edit.slot, 1);
    EXPECT_EQ(count, 2);
    EXPECT_STREQ(header.players[1].title, "renamed");
    EXPECT_EQ(Url(header.players[1]), " http://other.test/ ");
    EXPECT_EQ(header.players[1].width, 1000);
    EXPECT_EQ(header.players[1].height, 560);

    // The table read is the live one: a player the site now recommends
    // takes its strip at the next edit.
    recommended[1] = Slot(" http://other.test/ ", "site", 64);
    AddOrUpdatePlayer(header, count, {"renamed", "http://other.test/", "", ""}, recommended);
    EXPECT_EQ(header.players[1].top, 64);

    for (const char* url : {"http://3.test/", "http://4.test/", "http://5.test/"})
        AddOrUpdatePlayer(header, count, {"n", url, "", ""}, recommended);
    const StoreHeader full = header;
    EXPECT_EQ(
        AddOrUpdatePlayer(header, count, {"six", "http://6.test/", "", ""}, recommended).result,
        TableEdit::Full);
    EXPECT_EQ(std::memcmp(&full, &header, sizeof header), 0);
    // An address of blanks would put the two player lists out of step.
    EXPECT_EQ(AddOrUpdatePlayer(header, count, {"t", "   ", "", ""}, recommended).result,
              TableEdit::Empty);
    EXPECT_EQ(AddOrUpdatePlayer(header, count, {"", "http://1.test/", "", ""}, recommended).result,
              TableEdit::Empty);
}

TEST(PlayerRules, DeletingShiftsTheTableAndTheChoiceFollowsAtClose) {
    StoreHeader header{};
    header.players[0] = Slot("http://a.test/", "a");
    header.players[1] = Slot("http://b.test/", "b", 120);
    header.players[2] = Slot("http://c.test/", "c");
    header.playerChoice = 3;
    int count = CountPlayers(header);
    const std::string opening = OpeningPlayerUrl(header);
    ASSERT_EQ(opening, "http://c.test/");

    EXPECT_FALSE(DeletePlayer(header, count, -1).deleted);
    // An earlier player goes: the playing one keeps playing at its new place.
    PlayerDeletion deletion = DeletePlayer(header, count, 0);
    EXPECT_TRUE(deletion.deleted);
    EXPECT_EQ(deletion.play, -1);
    EXPECT_EQ(header.players[0].top, 120) << "slots move whole";
    EXPECT_EQ(Url(header.players[2]), "");
    EXPECT_EQ(header.players[2].top, 20);
    EXPECT_EQ(header.players[2].width, 0);
    ClosingChoice choice = ChooseAtClose(header, count, opening);
    EXPECT_EQ(choice.select, 1);
    EXPECT_FALSE(choice.play);
    EXPECT_EQ(header.playerChoice, 2);

    // With two equal addresses the last one is kept.
    header.players[0] = header.players[1];
    EXPECT_EQ(ChooseAtClose(header, count, opening).select, 1);
    header.players[0] = Slot("http://b.test/", "b", 120);

    // The playing player goes: the first is chosen and played.
    DeletePlayer(header, count, 1);
    choice = ChooseAtClose(header, count, opening);
    EXPECT_EQ(choice.select, 0);
    EXPECT_TRUE(choice.play);
    EXPECT_EQ(header.playerChoice, 1);

    // None chosen and players left: the first plays at once.
    header.playerChoice = 0;
    header.players[1] = Slot("http://d.test/", "d");
    count = 2;
    deletion = DeletePlayer(header, count, 1);
    EXPECT_EQ(deletion.play, 0);
    EXPECT_EQ(header.playerChoice, 1);
    // The only player goes: nothing chosen, nothing shown.
    deletion = DeletePlayer(header, count, 0);
    EXPECT_TRUE(deletion.blank);
    EXPECT_EQ(header.playerChoice, 0);
    EXPECT_EQ(CountPlayers(header), 0);
    choice = ChooseAtClose(header, count, opening);
    EXPECT_EQ(choice.select, -1);
    EXPECT_EQ(header.playerChoice, 0);
}

} // namespace
