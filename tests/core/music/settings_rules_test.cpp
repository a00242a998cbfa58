// The player rules the settings window cannot be driven into by typing:
// pasted sizes, blank addresses, a recommended table that changes, and the
// choices a data file may bring.
#include <cstring>
#include <gtest/gtest.h>

#include "core/music/settings_rules.h"

namespace {

PlayerSlot Slot(const char* url, const char* title, int top = 20) {
    PlayerSlot slot{};
    std::strcpy(slot.url, url);
    std::strcpy(slot.title, title);
    slot.top = top;
    return slot;
}

TEST(PlayerRules, PastedSizesThatAreNoNumberCountAsBlank) {
    for (const char* pasted : {"12a", "-5", "0x10", "1 2", "99999999999999999999"})
        EXPECT_EQ(PlayerSizeValue(pasted, 560), 560) << pasted;
    EXPECT_EQ(PlayerSizeValue(" 560 ", 560), 560);
    EXPECT_EQ(PlayerSizeValue("559", 560), 559);
}

TEST(PlayerRules, BlankAddressesAreRefusedAndTheTopFollowsTheLiveTable) {
    std::array<PlayerSlot, kPlayerSlotCount> recommended{Slot("http://a.test/", "a", 120)};
    StoreHeader header{};
    int count = 0;
    // A player without an address would put the two player lists out of step.
    EXPECT_EQ(AddOrUpdatePlayer(header, count, {"t", "   ", "", ""}, recommended).result,
              TableEdit::Empty);
    AddOrUpdatePlayer(header, count, {"b", " http://b.test/ ", "", ""}, recommended);
    EXPECT_EQ(header.players[0].top, 20);
    // The site's settings now recommend it, byte for byte: the next edit takes its strip.
    recommended[1] = Slot(" http://b.test/ ", "b", 64);
    AddOrUpdatePlayer(header, count, {"b2", "http://b.test/", "", ""}, recommended);
    EXPECT_EQ(count, 1);
    EXPECT_EQ(header.players[0].top, 64);
}

TEST(PlayerRules, ChoicesFromTheFileAtDeletionAndClose) {
    StoreHeader header{};
    header.players[0] = Slot("http://a.test/", "a");
    header.players[1] = Slot("http://a.test/", "a again");
    header.players[2] = Slot("http://c.test/", "c");
    int count = CountPlayers(header);
    EXPECT_FALSE(DeletePlayer(header, count, 3).deleted);
    // Two equal addresses: the last one stays chosen.
    ClosingChoice choice = ChooseAtClose(header, count, "http://a.test/");
    EXPECT_EQ(choice.select, 1);
    EXPECT_FALSE(choice.play);
    EXPECT_EQ(header.playerChoice, 2);
    // Nothing chosen and players left after a deletion: the first plays at once.
    header.playerChoice = 0;
    const PlayerDeletion deletion = DeletePlayer(header, count, 2);
    EXPECT_EQ(deletion.play, 0);
    EXPECT_EQ(header.playerChoice, 1);
}

} // namespace
