#pragma once
// The favorites page's operations on categories and favorites. Each one
// changes the store in memory and writes the change to the data file at once;
// the page never holds unsaved favorites. The window only redraws.

#include <string>
#include <vector>

#include "core/store/store.h"

// id of the category in table row `row` (the selected row of the category
// list); -1 when the row is not in use, which no favorite's id ever is.
int8_t CategoryIdAt(const Store& store, int row);

// Caption of a favorite's link: title, the filler (four blanks per three
// double-byte characters), three blanks.
std::string LinkCaption(const std::string& title);

// Top of the n-th (1-based) row of a category.
constexpr int RowTop(int n) {
    return n * 28 - 18;
}

// Adds a favorite to the category in `row`. The caller has checked that the
// trimmed address is not empty. Nothing happens for a row not in use or one
// whose id lies outside 0..49 (only a damaged file holds such a row: the
// favorite could never be listed again). 0, or -1 when the file was not
// written (the favorite is listed all the same).
int AddFavorite(Store& store, int row, const std::string& address, const std::string& title,
                const std::string& addedAt);

// AddFavorite's change to memory alone: the record is built in store.record
// and listed; the caller writes it. False, with nothing changed, for a row
// AddFavorite would refuse.
bool ListNewFavorite(Store& store, int row, const std::string& address, const std::string& title,
                     const std::string& addedAt);
// Writes records listed by ListNewFavorite, consecutive and in order, with
// one write for the records and then one for the header and tables (a kill
// in between leaves records the header does not count yet). 0, or -1.
int SaveNewFavorites(const Store& store, const std::vector<FavoriteRecord>& records);

enum class AddCategoryResult {
    Added,
    NotSaved, // added in memory, but the file was not written
    TooMany,
    IdsUsedUp
};
// Adds a category after the last one. The caller has checked that the trimmed
// name is not empty.
AddCategoryResult AddCategory(Store& store, const std::string& name);

// Deletes the checked favorites of the category in `row`, closes up the rows
// and writes the header and category table. -1 with nothing changed (not
// even memory) when the file cannot be opened for update; -1 too when a
// write failed after that, with memory holding the deletion.
int DeleteCheckedFavorites(Store& store, int row);

// True when any item of the category in `row` is checked.
bool AnyCheckedIn(const Store& store, int row);

// Checks every item of the category in `row` and unchecks all others
// (checked = true), or unchecks all (checked = false).
void SelectAll(Store& store, int row, bool checked);

enum class DeleteCategoryResult {
    Deleted,
    LastCategory,    // fewer than two categories: nothing changes
    FileUnavailable, // the file cannot be opened: nothing changes, memory or file
    NotSaved,        // deleted in memory, but a write to the file failed
    NoSuchRow        // `row` is not in use: nothing changes
};
// Deletes the category in `row` with all its favorites (after the user
// confirmed). The caller then selects row 0.
DeleteCategoryResult DeleteCategory(Store& store, int row);

// Moves the category in `row` up (direction 0) or down (1); gives the new
// selected row, or `row` unchanged when nothing moved (then nothing is
// written), and the save's result (0 or -1).
struct CategoryMove {
    int row;
    int saved;
};
CategoryMove MoveCategory(Store& store, int row, int direction);

// Empties all favorites, keeping the password, start options, skin, player
// choice, players and quick links; the file is replaced by one with the
// default category and favorite. 0, or -1 when the new file could not be
// written (memory is cleared all the same). The caller removes mine.htm.
int ClearFavorites(Store& store, const std::string& siteUrl, const std::string& addedAt);

// For the settings window: the listed favorites of all categories.
struct ListedFavorite {
    std::string title; // the link caption, trimmed
    std::string url;
};
int ListedFavoriteCount(const Store& store);
// An empty entry for an index out of range.
ListedFavorite GetListedFavorite(const Store& store, int index);
