#pragma once
// The music players: the built-in recommended ones, and the rules that pick
// the current player from the user's own table and list.

#include <array>
#include <string>
#include <vector>

#include "core/store/store_layout.h"

constexpr int kPlayerSlotCount = 5;
using PlayerTable = PlayerSlot[kPlayerSlotCount];

// The five recommended players as the program ships them; the product site's
// settings may replace any field for one run.
std::array<PlayerSlot, kPlayerSlotCount> BuiltInRecommendedPlayers();

// The slot's address with the blanks around it removed (GBK, as stored).
std::string PlayerUrl(const PlayerSlot& slot);
std::string PlayerTitle(const PlayerSlot& slot);

// The titles the player list shows: every slot with an address, in slot order.
std::vector<std::string> ListedPlayerTitles(const PlayerTable& players);

// The entry of a list of `itemCount` players that names `playerChoice`
// (1-based, 0 = none), or -1 when it names none of them.
int ListedChoice(int playerChoice, int itemCount);

// What entering the music page does, by the list's size and the current choice.
struct MusicPageEntrySteps {
    bool askForPlayers = false; // no players: send the user to the settings
    int select = -1;            // the list entry to select, -1 to leave it
    int playerChoice = 0;       // the choice afterwards
    int slot = -1;              // the slot to play, -1 when the choice names none
};
MusicPageEntrySteps EnterMusicPage(int itemCount, int playerChoice);

// The slot a 1-based choice names, or -1.
int ChosenSlot(int playerChoice);

// The address the player pane may load for a slot: only a web address, never
// a script, a local file or inline data. Empty when there is none.
std::string PlayableAddress(const PlayerSlot& slot);

// The element whose style hides a loaded page's scroll bars: the root element
// in standards mode ("CSS1Compat" in any letter case), otherwise the body.
const char* ScrollingElement(const std::string& compatMode);
