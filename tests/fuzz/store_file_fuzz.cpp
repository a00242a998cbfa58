// The data file and a file offered for import are outside input: whatever
// their bytes, loading, importing and exporting end in a consistent store.
#include <cstring>
#include <filesystem>

#include "core/favorites/favorite_ops.h"
#include "core/favorites/netscape_bookmarks.h"
#include "core/favorites/store_exchange.h"
#include "core/store/store.h"
#include "core/store/store_load.h"
#include "fuzz/fuzz_check.h"
#include "support/temp_dir.h"

namespace {

const char kSite[] = "http://127.0.0.1:8642/";
const char kNow[] = "2026/12/9 9:30:00";

// What the lists show agrees with the counts the next save relies on.
void CheckConsistent(const Store& store) {
    FUZZ_CHECK(HeaderIsValid(store.header));
    FUZZ_CHECK(store.header.favoriteCount >= 0 &&
               store.header.favoriteCount <= store.header.recordCount);
    FUZZ_CHECK(static_cast<int32_t>(store.items.size()) <= store.header.favoriteCount);
    long listed = 0;
    for (const int32_t count : store.categoryRowCount)
        listed += count;
    FUZZ_CHECK(listed == static_cast<long>(store.items.size()));
    int32_t previous = -1;
    for (const FavoriteItem& item : store.items) {
        FUZZ_CHECK(item.recordIndex > previous && item.recordIndex < store.header.recordCount);
        FUZZ_CHECK(item.categoryId >= 0 && item.categoryId < kCategoryIdCount);
        FUZZ_CHECK(item.url.size() < sizeof FavoriteRecord::url);
        previous = item.recordIndex;
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const TempDir dir;
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    const std::string offered = dir.File("offered.dat");
    const std::string dataFile = dir.File("tvr.dat");
    std::error_code ignored;
    std::filesystem::remove(dataFile, ignored);
    std::filesystem::remove(BackupPath(dataFile), ignored);

    // As the data file at start.
    WriteBytes(dataFile, bytes);
    Store loaded;
    loaded.path = dataFile;
    const LoadOutcome outcome = LoadStoreFile(loaded, kSite, kNow);
    FUZZ_CHECK(outcome != LoadOutcome::KeptUnreadable && outcome != LoadOutcome::Created);
    CheckConsistent(loaded);
    if (outcome == LoadOutcome::ReplacedBad)
        FUZZ_CHECK(ReadBytes(BackupPath(dataFile)) == bytes || bytes.empty());
    // Whatever was loaded takes a new favorite, and keeps it.
    FUZZ_CHECK(AddFavorite(loaded, 0, "added.example", "added", kNow) == 0);
    Store reread;
    reread.path = dataFile;
    FUZZ_CHECK(ReadStore(reread) == ReadOutcome::Ok);
    FUZZ_CHECK(reread.items.size() == loaded.items.size());
    for (std::size_t i = 0; i < loaded.items.size(); ++i)
        FUZZ_CHECK(reread.items[i].url == loaded.items[i].url);

    // As a file offered for import, over a default data file.
    WriteBytes(offered, bytes);
    std::filesystem::remove(dataFile, ignored);
    Store store;
    store.path = dataFile;
    LoadStoreFile(store, kSite, kNow);
    const bool passes = CheckImportFile(offered) == ImportCheck::Ok;
    const ImportOutcome imported = ImportStoreFile(store, offered);
    FUZZ_CHECK(passes == (imported == ImportOutcome::Imported));
    CheckConsistent(store);
    if (imported != ImportOutcome::Imported)
        FUZZ_CHECK(store.items.size() == 1 && store.items[0].url == kSite);

    // Exported, then read back: the copy is itself a sound data file.
    const std::string exported = dir.File("exported.dat");
    std::filesystem::remove(exported, ignored);
    if (ExportStore(exported, offered) == 0 && passes) {
        Store copy;
        copy.path = exported;
        FUZZ_CHECK(ReadStore(copy) == ReadOutcome::Ok);
        CheckConsistent(copy);
        FUZZ_CHECK(copy.header.recordCount == copy.header.favoriteCount);
    }

    // As the source of a bookmark file export.
    if (const std::optional<BookmarkNode> tree = DataFileBookmarks(offered))
        FUZZ_CHECK(tree->children.size() <= kMaxCategories);
    return 0;
}
