#include <cstring>
#include <fstream>

#include "core/store/replace_file.h"
#include "core/store/store.h"
#include "core/store/store_writes.h"
#include "core/text/gbk_text.h"
#include "core/text/utf8_path.h"

namespace {

bool HasCategoryIdRange(int8_t id) {
    return id >= 0 && id < kCategoryIdCount;
}

} // namespace

bool HeaderIsValid(const StoreHeader& h) {
    return std::memcmp(h.magic, "tvrV", 4) == 0 && h.categoryCount > 0 &&
           h.categoryCount <= kMaxCategories && h.favoriteCount >= 0 && h.recordCount >= 0 &&
           h.openSitePageOnStart <= 1 && h.openMinePageOnStart <= 1 && h.skinChoice >= 0 &&
           h.skinChoice <= 20 && h.playerChoice >= 0 && h.playerChoice <= 5;
}

void ListFavorite(Store& store, const FavoriteRecord& record) {
    FavoriteItem item;
    item.recordIndex = record.recordIndex;
    item.categoryId = record.categoryId;
    item.url = FieldText(record.url, sizeof record.url);
    item.title = FieldText(record.title, sizeof record.title);
    store.items.push_back(std::move(item));
}

ReadOutcome ReadStore(Store& store) {
    static thread_local char buffer[1 << 16];
    std::ifstream file;
    file.rdbuf()->pubsetbuf(buffer, sizeof buffer);
    if (!store.path.empty())
        file.open(PathOf(store.path), std::ios::binary);
    if (!file.is_open())
        return ReadOutcome::CannotOpen;
    const auto read = [&file](void* into, std::size_t size) {
        return static_cast<bool>(
            file.read(static_cast<char*>(into), static_cast<std::streamsize>(size)));
    };

    StoreHeader header{};
    if (!read(&header, sizeof header)) {
        store.header = header;
        return ReadOutcome::BadFormat;
    }
    store.header = header;
    if (!HeaderIsValid(header))
        return ReadOutcome::BadFormat;

    // A file cut short inside the tables still yields the header; the
    // missing rows stay zero.
    read(store.categories, sizeof store.categories);
    read(store.quickLinks, sizeof store.quickLinks);

    int32_t complete = 0;
    int32_t live = 0;
    for (; complete < header.recordCount; ++complete) {
        if (!read(&store.record, sizeof store.record))
            break;
        // Deletions patch a record by its place; a damaged stored index
        // would patch another one and this one would come back.
        store.record.recordIndex = complete;
        if (store.record.deleted != 0)
            continue;
        ++live;
        // Only a damaged or foreign file has such ids; such a record cannot
        // belong to any category and is not listed.
        if (!HasCategoryIdRange(store.record.categoryId))
            continue;
        store.categoryRowCount[store.record.categoryId] += 1;
        ListFavorite(store, store.record);
    }
    // A file that ends early counts only what is really there, so that the
    // next record is appended right after the last complete one. The live
    // count is always the records' own: a deletion cut short by a kill has
    // marked its records before writing the header.
    store.header.recordCount = complete;
    store.header.favoriteCount = live;
    return ReadOutcome::Ok;
}

void InitStoreDefaults(Store& store, const std::string& siteUrl, const std::string& addedAt) {
    StoreHeader& h = store.header;
    h.recordCount = 1;
    h.favoriteCount = 1;
    h.openSitePageOnStart = 0;
    h.openMinePageOnStart = 0;
    h.playerChoice = 1;
    h.reserved2[0] = '\0';
    h.lockPassword[0] = '\0';
    std::memcpy(h.magic, "tvrV1.0", 8);
    h.reserved3[0] = '\0';
    h.categoryCount = 0;
    std::memset(store.categories[0].name, 0, sizeof store.categories[0].name);
    std::strncpy(store.categories[0].name, "\xC4\xAC\xC8\xCF\xB7\xD6\xC0\xE0", 25); // 默认分类
    store.categories[0].id = 0;
    store.categoryRowCount[0] = 1;
    h.categoryCount = 1;

    FavoriteRecord& r = store.record;
    std::memset(&r, 0, sizeof r);
    std::strncpy(r.url, siteUrl.c_str(), sizeof r.url - 1);
    std::strcpy(r.title, "Tavinor");
    r.categoryId = 0;
    std::strncpy(r.addedAt, addedAt.c_str(), sizeof r.addedAt - 1);
    r.recordIndex = 0;
    r.deleted = 0;
}

int SaveStore(const Store& store, const FavoriteRecord& record, bool append) {
    StoreUpdate file(store.path);
    if (!file.IsOpen())
        return -1;
    // The record goes first: until the header counts it, a reader does not
    // look at it, and the next add writes over it.
    if (append) {
        const std::int64_t slot = RecordOffset(record.recordIndex);
        // A file cut short inside its tables was read with no records; its
        // first record's slot exists once the tables are whole again.
        if (slot == kFixedBlockSize && file.Size() < slot && !file.WriteFixedBlock(store))
            return -1;
        if (record.recordIndex < 0 || file.Size() < slot ||
            !file.WriteAt(slot, &record, sizeof record))
            return -1;
    }
    return file.WriteFixedBlock(store) ? 0 : -1;
}

int RewriteStoreFile(const Store& store, const FavoriteRecord& record) {
    const std::string bytes =
        FixedBlockBytes(store) + std::string(reinterpret_cast<const char*>(&record), sizeof record);
    return ReplaceFile(store.path, bytes);
}

std::string BackupPath(const std::string& path) {
    return path + "_bak";
}
