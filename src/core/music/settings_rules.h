#pragma once
// The settings window's rules on the store: the quick-link table and the
// user's players. Text is GBK bytes as typed; the window shows the results.

#include <array>
#include <string>

#include "core/music/player_tables.h"
#include "core/store/store.h"

constexpr int kQuickLinkTitleBytes = 15;
constexpr int kQuickLinkUrlBytes = 127;
constexpr int kPlayerTitleBytes = 15;
constexpr int kPlayerUrlBytes = 63;
constexpr int kDefaultPlayerWidth = 1000;
constexpr int kDefaultPlayerHeight = 560;
// The top strip of a player that no recommended entry describes.
constexpr int kDefaultPlayerTop = 20;

// The quick links listed: slots from 0 up to the first without an address.
int CountQuickLinks(const Store& store);
// The players listed: slots from 0 up to the first without a title.
int CountPlayers(const StoreHeader& header);
// The address of the player being played, empty when none is chosen.
std::string OpeningPlayerUrl(const StoreHeader& header);

enum class TableEdit { Done, Full, Empty };

// Fills slot `count` with the trimmed title and address, each cut on a
// character boundary; `stored` receives the title as stored.
TableEdit AddQuickLink(Store& store, int& count, const std::string& title, const std::string& url,
                       std::string& stored);
// Closes the gap of slot `selected`; false, touching nothing, when it is not in use.
bool DeleteQuickLink(Store& store, int& count, int selected);

// A width or height as the user left it: blank, not a number, or above
// `largest` all give `largest`.
int PlayerSizeValue(const std::string& text, int largest);

struct PlayerEntry {
    std::string title, url, width, height; // the edits' texts
};
struct PlayerEdit {
    TableEdit result = TableEdit::Empty;
    int slot = -1;      // the slot added or updated
    bool added = false; // a new slot rather than an update
    std::string listed; // what the list shows for that slot
};
// Updates the player whose trimmed address equals the entry's, or adds one.
// In every case but an empty entry the last player in use takes its top
// strip from the recommended player with the same address.
PlayerEdit AddOrUpdatePlayer(StoreHeader& header, int& count, const PlayerEntry& entry,
                             const std::array<PlayerSlot, kPlayerSlotCount>& recommended);

struct PlayerDeletion {
    bool deleted = false;
    int play = -1;      // the slot to play now, -1 for none
    bool blank = false; // no player left: the pane shows nothing
};
PlayerDeletion DeletePlayer(StoreHeader& header, int& count, int selected);

struct ClosingChoice {
    int select = -1;   // the entry of the player list to select
    bool play = false; // play it: the one playing before is gone
};
// Keeps the player that was playing when the window opened (the last slot
// with its address), else chooses the first.
ClosingChoice ChooseAtClose(StoreHeader& header, int count, const std::string& openingUrl);
