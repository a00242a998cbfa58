#include <algorithm>
#include <cstddef>
#include <cstring>
#include <vector>

#include "core/favorites/favorite_ops.h"
#include "core/store/store_writes.h"
#include "core/text/gbk_text.h"

namespace {

const char kDefaultCategory[] = "\xC4\xAC\xC8\xCF\xB7\xD6\xC0\xE0"; // 默认分类

int CategoryRowsInUse(const Store& store) {
    return std::clamp<int32_t>(store.header.categoryCount, 0, kMaxCategories);
}

bool CategoryRowInUse(const Store& store, int row) {
    return row >= 0 && row < CategoryRowsInUse(store);
}

// Ids outside 0..49 come only from a damaged table; they index nothing.
bool CountableCategoryId(int id) {
    return id >= 0 && id < kCategoryIdCount;
}

bool MarkRecordDeleted(StoreUpdate& file, std::int64_t fileSize, int32_t index) {
    // A record beyond the file's real end would be made up by the write,
    // with blank records in front of it.
    if (index < 0 || RecordOffset(index) + kRecordSize > fileSize)
        return false;
    const int32_t deleted = 1;
    // Only the flag changes, so only the flag is written: one write per
    // record, so that a kill leaves each favorite deleted or not.
    return file.WriteAt(RecordOffset(index) + offsetof(FavoriteRecord, deleted), &deleted,
                        sizeof deleted);
}

// Marks deleted in the file, and drops from the list, every item of category
// `id` that is checked (or every one, with checkedOnly false), and recounts
// the rest, so that each category's rows close up from the top again. One
// pass, keeping the survivors in order. False when a record was not marked.
bool DropFavorites(Store& store, StoreUpdate& file, int8_t id, bool checkedOnly) {
    const std::int64_t fileSize = file.Size();
    std::memset(store.categoryRowCount, 0, sizeof store.categoryRowCount);
    std::vector<FavoriteItem>& items = store.items;
    bool marked = true;
    std::size_t kept = 0;
    for (std::size_t i = 0; i < items.size(); ++i) {
        FavoriteItem& item = items[i];
        if (item.categoryId == id && (item.checked || !checkedOnly)) {
            marked = MarkRecordDeleted(file, fileSize, item.recordIndex) && marked;
            continue;
        }
        if (CountableCategoryId(item.categoryId))
            store.categoryRowCount[item.categoryId] += 1;
        if (kept != i)
            items[kept] = std::move(item);
        ++kept;
    }
    items.erase(items.begin() + static_cast<std::ptrdiff_t>(kept), items.end());
    store.header.favoriteCount = static_cast<int32_t>(kept);
    return marked;
}

} // namespace

int8_t CategoryIdAt(const Store& store, int row) {
    return CategoryRowInUse(store, row) ? store.categories[row].id : int8_t{-1};
}

std::string LinkCaption(const std::string& title) {
    std::string caption = title;
    int wide = 0;
    for (std::size_t i = 0; i < title.size(); ++i) {
        if ((static_cast<unsigned char>(title[i]) & 0x80) == 0)
            continue;
        ++i; // the trail byte belongs to the same character
        if (++wide == 3) {
            caption += "    ";
            wide = 0;
        }
    }
    return caption + "   ";
}

bool ListNewFavorite(Store& store, int row, const std::string& address, const std::string& title,
                     const std::string& addedAt) {
    const int8_t id = CategoryIdAt(store, row);
    if (!CountableCategoryId(id))
        return false;
    store.header.recordCount += 1;
    store.header.favoriteCount += 1;

    // The whole buffer is cleared, so no text of the previous record lingers
    // after a terminator and every new record's bytes depend on its own input.
    FavoriteRecord& record = store.record;
    std::memset(&record, 0, sizeof record);
    const std::string typed = TrimBytes(address);
    // Only the lower-case spelling counts as a scheme; "https" passes with it.
    const bool hasScheme = typed.compare(0, 4, "http") == 0;
    CopyField(record.url, sizeof record.url, hasScheme ? typed : "http://" + typed);
    // Without a title the user sees the address as typed, not our prefix.
    const std::string named = TrimBytes(title);
    CopyGbkBounded(record.title, (named.empty() ? typed : named).c_str(),
                   static_cast<int>(sizeof record.title) - 1);
    record.categoryId = id;
    CopyField(record.addedAt, sizeof record.addedAt, addedAt);
    record.recordIndex = store.header.recordCount - 1;

    store.categoryRowCount[id] += 1;
    ListFavorite(store, record);
    return true;
}

int AddFavorite(Store& store, int row, const std::string& address, const std::string& title,
                const std::string& addedAt) {
    if (!ListNewFavorite(store, row, address, title, addedAt))
        return 0;
    // Memory is the authority during the run: like every save, a failed one
    // leaves the change in memory; the caller tells the user.
    return SaveStore(store, store.record, true);
}

int SaveNewFavorites(const Store& store, const std::vector<FavoriteRecord>& records) {
    if (records.empty())
        return 0;
    StoreUpdate file(store.path);
    if (!file.IsOpen())
        return -1;
    // As SaveStore: the first slot lies within the file or right at its end,
    // so no blank records are ever made up in front of it.
    const std::int64_t slot = RecordOffset(records.front().recordIndex);
    if (slot == kFixedBlockSize && file.Size() < slot && !file.WriteFixedBlock(store))
        return -1;
    if (records.front().recordIndex < 0 || file.Size() < slot ||
        !file.WriteAt(slot, records.data(), records.size() * sizeof(FavoriteRecord)))
        return -1;
    return file.WriteFixedBlock(store) ? 0 : -1;
}

AddCategoryResult AddCategory(Store& store, const std::string& name) {
    const int row = CategoryRowsInUse(store);
    if (row >= kMaxCategories)
        return AddCategoryResult::TooMany;
    // New ids go past the largest in the whole table, so ids only grow until
    // an export renumbers them; rows not in use are zero and add nothing.
    int largest = 0;
    for (const CategoryEntry& entry : store.categories)
        largest = std::max<int>(largest, entry.id);
    if (largest >= kCategoryIdCount - 1)
        return AddCategoryResult::IdsUsedUp;

    CategoryEntry& entry = store.categories[row];
    std::memset(&entry, 0, sizeof entry);
    CopyField(entry.name, sizeof entry.name, TrimBytes(name));
    entry.id = static_cast<int8_t>(largest + 1);
    store.header.categoryCount = row + 1;
    return SaveStore(store, store.record, false) == 0 ? AddCategoryResult::Added
                                                      : AddCategoryResult::NotSaved;
}

int DeleteCheckedFavorites(Store& store, int row) {
    StoreUpdate file(store.path);
    if (!file.IsOpen())
        return -1;
    // The records are marked before the header is written: a reader counts
    // the records, so a kill in between leaves a smaller deletion, never a
    // count that disagrees with the list.
    const bool marked = DropFavorites(store, file, CategoryIdAt(store, row), true);
    // The quick links cannot have changed here and are left alone.
    return file.WriteFixedBlock(store, false) && marked ? 0 : -1;
}

DeleteCategoryResult DeleteCategory(Store& store, int row) {
    const int rows = CategoryRowsInUse(store);
    if (rows < 2)
        return DeleteCategoryResult::LastCategory;
    if (!CategoryRowInUse(store, row))
        return DeleteCategoryResult::NoSuchRow;
    // Opened before anything changes: removing the category while its
    // favorites stay live in the file would leave them with an id no row has,
    // invisible yet counted.
    StoreUpdate file(store.path);
    if (!file.IsOpen())
        return DeleteCategoryResult::FileUnavailable;

    // Favorites first, the table last and in the same write as the header:
    // a kill in between leaves the category with fewer favorites, never
    // favorites without a category nor a header one row short of its table.
    const bool marked = DropFavorites(store, file, store.categories[row].id, false);
    std::copy(store.categories + row + 1, store.categories + kMaxCategories,
              store.categories + row);
    store.categories[kMaxCategories - 1] = CategoryEntry{};
    store.header.categoryCount = rows - 1;
    return file.WriteFixedBlock(store) && marked ? DeleteCategoryResult::Deleted
                                                 : DeleteCategoryResult::NotSaved;
}

bool AnyCheckedIn(const Store& store, int row) {
    const int8_t id = CategoryIdAt(store, row);
    return std::any_of(store.items.begin(), store.items.end(), [id](const FavoriteItem& item) {
        return item.checked && item.categoryId == id;
    });
}

void SelectAll(Store& store, int row, bool checked) {
    const int8_t id = CategoryIdAt(store, row);
    for (FavoriteItem& item : store.items)
        item.checked = checked && item.categoryId == id;
}

CategoryMove MoveCategory(Store& store, int row, int direction) {
    if (!CategoryRowInUse(store, row) || (direction != 0 && direction != 1))
        return {row, 0};
    const int target = direction == 0 ? row - 1 : row + 1;
    if (!CategoryRowInUse(store, target))
        return {row, 0};
    // Name and id travel together: favorites follow their category by id.
    std::swap(store.categories[row], store.categories[target]);
    return {target, SaveStore(store, store.record, false)};
}

int ClearFavorites(Store& store, const std::string& siteUrl, const std::string& addedAt) {
    store.items.clear();
    std::memset(store.categories, 0, sizeof store.categories);
    std::memset(store.categoryRowCount, 0, sizeof store.categoryRowCount);
    StoreHeader& header = store.header;
    header.recordCount = 1;
    header.favoriteCount = 1;
    CopyField(store.categories[0].name, sizeof store.categories[0].name, kDefaultCategory);
    store.categories[0].id = 0;
    store.categoryRowCount[0] = 1;
    header.categoryCount = 1;

    FavoriteRecord& record = store.record;
    std::memset(&record, 0, sizeof record);
    CopyField(record.url, sizeof record.url, siteUrl);
    CopyField(record.title, sizeof record.title, "Tavinor");
    CopyField(record.addedAt, sizeof record.addedAt, addedAt);

    // Deleted records are dropped only here; a new file is what gives their
    // space back. It takes the old one's place whole, so a kill leaves
    // either every favorite or the cleared file, with the settings in both.
    ListFavorite(store, record);
    return RewriteStoreFile(store, record);
}

int ListedFavoriteCount(const Store& store) {
    return static_cast<int>(store.items.size());
}

ListedFavorite GetListedFavorite(const Store& store, int index) {
    if (index < 0 || index >= ListedFavoriteCount(store))
        return {};
    const FavoriteItem& item = store.items[static_cast<std::size_t>(index)];
    // The caption's filler is all blanks, so the trimmed caption is the
    // trimmed title.
    return {TrimBytes(item.title), item.url};
}
