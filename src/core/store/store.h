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
// store.items and counting them in categoryRowCount). On BadFormat the
// rejected header is left in store.header.
ReadOutcome ReadStore(Store& store);

// The values of a new file; the record buffer becomes the default favorite.
void InitStoreDefaults(Store& store, const std::string& siteUrl, const std::string& addedAt);

// Creates the file or truncates it to zero length.
int CreateStoreFile(const std::string& path);

// Writes header and tables at offset 0 and, with append, the record at the
// end of the file. 0 on success, -1 when anything could not be written.
int SaveStore(const Store& store, const FavoriteRecord& record, bool append);

// Lists one record as a FavoriteItem (the caller counts it).
void ListFavorite(Store& store, const FavoriteRecord& record);

// The file name of the backup kept of a rejected data file.
std::string BackupPath(const std::string& path);
