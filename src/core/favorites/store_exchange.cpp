#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <optional>
#include <system_error>

#include "core/favorites/store_exchange.h"
#include "core/store/read_file.h"
#include "core/store/replace_file.h"
#include "core/text/utf8_path.h"

namespace {

std::optional<std::string> ReadWhole(const std::string& path) {
    return ReadRegularFile(path, std::string::npos);
}

bool SameFile(const std::string& a, const std::string& b) {
    std::error_code error;
    return std::filesystem::equivalent(PathOf(a), PathOf(b), error) && !error;
}

bool HeaderPasses(const std::string& bytes) {
    if (bytes.size() < sizeof(StoreHeader))
        return false;
    StoreHeader header;
    std::memcpy(&header, bytes.data(), sizeof header);
    return HeaderIsValid(header);
}

void Forget(const std::string& path) {
    std::error_code ignored;
    std::filesystem::remove(PathOf(path), ignored);
}

// Empties what ReadStore fills, so nothing of the old file lingers where the
// new one is short.
void ClearForReading(Store& store) {
    store.items.clear();
    std::memset(store.categoryRowCount, 0, sizeof store.categoryRowCount);
    std::memset(store.categories, 0, sizeof store.categories);
    std::memset(store.quickLinks, 0, sizeof store.quickLinks);
}

} // namespace

int ExportStore(const std::string& target, const std::string& source) {
    const std::optional<std::string> file = ReadWhole(source);
    // Writing onto the data file itself would compact it under the running
    // program, whose list still points at the old record positions.
    if (!file || file->size() < static_cast<std::size_t>(kFixedBlockSize) ||
        SameFile(target, source))
        return -1;

    StoreHeader header;
    CategoryEntry categories[kMaxCategories];
    std::memcpy(&header, file->data(), sizeof header);
    std::memcpy(categories, file->data() + kCategoryTableOffset, sizeof categories);
    // An export is made to be shared; the lock password stays with its owner.
    std::memset(header.lockPassword, 0, sizeof header.lockPassword);

    int8_t oldIds[kMaxCategories]{};
    const int rows = std::clamp<int32_t>(header.categoryCount, 0, kMaxCategories);
    for (int i = 0; i < rows; ++i) {
        oldIds[i] = categories[i].id;
        categories[i].id = static_cast<int8_t>(i);
    }

    std::string records;
    const std::int64_t available =
        (static_cast<std::int64_t>(file->size()) - kFixedBlockSize) / kRecordSize;
    const std::int64_t count = std::clamp<std::int64_t>(header.recordCount, 0, available);
    int32_t written = 0;
    for (std::int64_t i = 0; i < count; ++i) {
        FavoriteRecord record;
        std::memcpy(&record, file->data() + RecordOffset(static_cast<int32_t>(i)), sizeof record);
        const int8_t* row = std::find(oldIds, oldIds + rows, record.categoryId);
        if (row != oldIds + rows)
            record.categoryId = static_cast<int8_t>(row - oldIds);
        if (record.deleted != 0)
            continue;
        record.recordIndex = written++;
        records.append(reinterpret_cast<const char*>(&record), sizeof record);
    }
    // Counted from what was written, so the copy holds its invariants even
    // when the source's counts had drifted from its records.
    header.recordCount = written;
    header.favoriteCount = written;

    std::string out;
    out.reserve(static_cast<std::size_t>(kFixedBlockSize) + records.size());
    out.append(reinterpret_cast<const char*>(&header), sizeof header);
    out.append(reinterpret_cast<const char*>(categories), sizeof categories);
    out.append(file->data() + kQuickLinkOffset, sizeof(QuickLink) * kQuickLinkCount);
    out += records;
    return ReplaceFile(target, out);
}

ImportCheck CheckImportFile(const std::string& path) {
    std::ifstream in(PathOf(path), std::ios::binary);
    if (!in)
        return ImportCheck::CannotOpen;
    std::string head(sizeof(StoreHeader), '\0');
    in.read(head.data(), static_cast<std::streamsize>(head.size()));
    head.resize(static_cast<std::size_t>(in.gcount()));
    return HeaderPasses(head) ? ImportCheck::Ok : ImportCheck::BadFormat;
}

std::string ImportBackupPath(const std::string& dataFile) {
    return dataFile + "_import";
}

OfferedFile ReadOfferedFile(const std::string& chosen) {
    OfferedFile offered;
    std::optional<std::string> bytes = ReadRegularFile(chosen, sizeof(StoreHeader));
    if (bytes && HeaderPasses(*bytes)) {
        StoreHeader header;
        std::memcpy(&header, bytes->data(), sizeof header);
        const auto reach =
            static_cast<uint64_t>(kFixedBlockSize) +
            static_cast<uint64_t>(kRecordSize) * static_cast<uint64_t>(header.recordCount);
        bytes =
            ReadRegularFile(chosen, static_cast<std::size_t>(std::min<uint64_t>(reach, SIZE_MAX)));
    }
    // The bytes checked are the bytes copied: the file may change meanwhile.
    if (!bytes)
        offered.outcome = ImportOutcome::CannotOpen;
    else if (!HeaderPasses(*bytes))
        offered.outcome = ImportOutcome::BadFormat;
    else
        offered.bytes = std::move(*bytes);
    return offered;
}

ImportOutcome ImportStoreFile(Store& store, const std::string& chosen) {
    const OfferedFile offered = ReadOfferedFile(chosen);
    return offered.outcome == ImportOutcome::Imported ? ImportStoreBytes(store, offered.bytes)
                                                      : offered.outcome;
}

ImportOutcome ImportStoreBytes(Store& store, const std::string& bytes) {
    if (store.path.empty())
        return ImportOutcome::NotWritten;
    // Importing someone's favorites must not change, or empty, the password
    // that opens this user's lock.
    std::string imported = bytes;
    std::memcpy(imported.data() + offsetof(StoreHeader, lockPassword), store.header.lockPassword,
                sizeof store.header.lockPassword);

    const std::string backup = ImportBackupPath(store.path);
    const std::optional<std::string> old = ReadWhole(store.path);
    if (old && ReplaceFile(backup, *old) != 0)
        return ImportOutcome::NotWritten;
    if (ReplaceFile(store.path, imported) != 0) {
        Forget(backup);
        return ImportOutcome::NotWritten;
    }

    Store before = store;
    ClearForReading(store);
    if (ReadStore(store) == ReadOutcome::Ok) {
        Forget(backup);
        return ImportOutcome::Imported;
    }
    store = std::move(before);
    if (old && ReplaceFile(store.path, *old) == 0) {
        Forget(backup);
        return ImportOutcome::Restored;
    }
    return ImportOutcome::Failed;
}
