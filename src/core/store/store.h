#pragma once
// The in-memory store: the one copy of tvr.dat that the whole program works
// on, and the routines that read, create and write the file.

#include <cstdint>
#include <string>
#include <vector>

#include "core/store/store_layout.h"

// One listed favorite: a live record of the file, in file order.
struct FavoriteItem {
    int32_t recordIndex = 0;
    int8_t categoryId = 0;
    std::string url;   // GBK, as stored
    std::string title; // GBK, as stored
    bool checked = false;
};

struct Store {
    std::string path; // empty: the file is not to be written this run
    StoreHeader header{};
    CategoryEntry categories[kMaxCategories]{};
    QuickLink quickLinks[kQuickLinkCount]{};
    FavoriteRecord record{}; // the record being built or last read
    int32_t categoryRowCount[kCategoryIdCount]{};
    std::vector<FavoriteItem> items;
};

// The header check, rule by rule in the order the reader applies them.
bool HeaderIsValid(const StoreHeader& header);

enum class ReadOutcome { Ok, CannotOpen, BadFormat };
// Reads the file into the store and lists its live records (appending to
// store.items and counting them in categoryRowCount). The counts in memory
// are those of the records read, whatever the header says, and each record is
// known by its position. On BadFormat the rejected header is left in
// store.header.
ReadOutcome ReadStore(Store& store);

// The values of a new file; the record buffer becomes the default favorite.
void InitStoreDefaults(Store& store, const std::string& siteUrl, const std::string& addedAt);

// Writes header and tables at offset 0 in one write and, with append, first
// the record into its slot. 0 on success, -1 when anything could not be
// written. The slot must lie within the file or right at its end: a file
// shortened behind the program's back is never padded with blank records,
// and then nothing is written.
int SaveStore(const Store& store, const FavoriteRecord& record, bool append);

// Replaces the file by one holding the header, the tables and `record` as
// its only record; the old file stays whole until the new one is complete.
int RewriteStoreFile(const Store& store, const FavoriteRecord& record);

// Lists one record as a FavoriteItem (the caller counts it).
void ListFavorite(Store& store, const FavoriteRecord& record);

// The file name of the backup kept of a rejected data file.
std::string BackupPath(const std::string& path);
