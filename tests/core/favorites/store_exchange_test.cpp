#include <cstring>
#include <filesystem>
#include <gtest/gtest.h>

#include "core/favorites/favorite_ops.h"
#include "core/favorites/store_exchange.h"
#include "core/store/store_load.h"
#include "support/temp_dir.h"

namespace {

std::size_t At(int record) {
    return 2888 + 364 * static_cast<std::size_t>(record);
}

// A data file written from the documented offsets: categories with the given
// ids, records as (categoryId, deleted), a skin, a password and a quick link.
std::string MakeFile(const std::vector<int>& ids, const std::vector<std::pair<int, int>>& records) {
    std::string bytes(At(static_cast<int>(records.size())), '\0');
    std::memcpy(bytes.data(), "tvrV1.0", 7);
    int live = 0;
    for (auto [id, deleted] : records)
        live += deleted == 0;
    PutInt32(bytes, 16, live);
    PutInt32(bytes, 20, static_cast<int32_t>(records.size()));
    PutInt32(bytes, 24, static_cast<int32_t>(ids.size()));
    bytes[31] = 1;
    std::memcpy(bytes.data() + 96, "secret", 6);
    for (std::size_t row = 0; row < ids.size(); ++row) {
        bytes[620 + 27 * row] = static_cast<char>('A' + row);
        bytes[620 + 27 * row + 26] = static_cast<char>(ids[row]);
    }
    std::memcpy(bytes.data() + 1160 + 16, "http://ql.example/", 18);
    for (std::size_t i = 0; i < records.size(); ++i) {
        const std::string url = "http://r" + std::to_string(i) + ".example/";
        std::memcpy(bytes.data() + At(static_cast<int>(i)), url.data(), url.size());
        bytes[At(static_cast<int>(i)) + 321] = static_cast<char>(records[i].first);
        PutInt32(bytes, At(static_cast<int>(i)) + 356, static_cast<int32_t>(i));
        PutInt32(bytes, At(static_cast<int>(i)) + 360, records[i].second);
    }
    return bytes;
}

class StoreExchangeTest : public ::testing::Test {
protected:
    TempDir dir;
    std::string data = dir.File("tvr.dat");
    std::string target = dir.File("out.dat");
};

TEST_F(StoreExchangeTest, ExportKeepsLiveRecordsInOrderAndRenumbersIdsToRows) {
    // Ten records, four of them deleted; categories with ids 0, 7 and 12.
    const std::string source = MakeFile(
        {0, 7, 12},
        {{0, 0}, {7, 1}, {12, 0}, {7, 0}, {0, 1}, {12, 1}, {7, 0}, {0, 0}, {12, 1}, {12, 0}});
    WriteBytes(data, source);
    ASSERT_EQ(ExportStore(target, data), 0);

    const std::string out = ReadBytes(target);
    ASSERT_EQ(out.size(), 2888u + 6 * 364);
    EXPECT_EQ(Int32At(out, 16), 6);
    EXPECT_EQ(Int32At(out, 20), 6);
    for (int row = 0; row < 3; ++row)
        EXPECT_EQ(out[620 + 27 * row + 26], row);
    const int kept[] = {0, 2, 3, 6, 7, 9};
    const int rowOf[] = {0, 1, 2, 1, 0, 2, 1, 0, 2, 2};
    for (int k = 0; k < 6; ++k) {
        SCOPED_TRACE(k);
        EXPECT_EQ(out.substr(At(k), 256), source.substr(At(kept[k]), 256));
        EXPECT_EQ(out[At(k) + 321], rowOf[kept[k]]);
        EXPECT_EQ(Int32At(out, At(k) + 356), k);
        EXPECT_EQ(Int32At(out, At(k) + 360), 0);
    }
    // Everything but counts, ids and record positions is copied as it is.
    EXPECT_EQ(out.substr(28, 620 - 28), source.substr(28, 620 - 28));
    EXPECT_EQ(out.substr(1160, 1728), source.substr(1160, 1728));
}

TEST_F(StoreExchangeTest, FailedExportLeavesNoFileAndNoPartialOne) {
    WriteBytes(data, MakeFile({0}, {{0, 0}}));
    EXPECT_EQ(ExportStore(dir.File("missing/out.dat"), data), -1);
    // A target that cannot be replaced (a folder) keeps what it was.
    std::filesystem::create_directory(target);
    EXPECT_EQ(ExportStore(target, data), -1);
    EXPECT_TRUE(std::filesystem::is_directory(target));
    // Exporting onto the data file itself would compact it under the program.
    EXPECT_EQ(ExportStore(data, data), -1);
    EXPECT_EQ(ReadBytes(data), MakeFile({0}, {{0, 0}}));
    EXPECT_EQ(ExportStore(dir.File("b.dat"), dir.File("none.dat")), -1);
    for (const auto& entry : std::filesystem::directory_iterator(dir.path()))
        EXPECT_EQ(entry.path().filename().string().find(".tmp"), std::string::npos) << entry.path();
}

TEST_F(StoreExchangeTest, ImportChecksTheHeaderAndLeavesEverythingOnAFailure) {
    Store store;
    store.path = data;
    LoadStoreFile(store, "http://site/", "now");
    AddFavorite(store, 0, "kept.example", "", "now");
    const std::string before = ReadBytes(data);

    std::string foreign = MakeFile({0}, {{0, 0}});
    foreign[3] = 'X';
    WriteBytes(dir.File("foreign.dat"), foreign);
    WriteBytes(dir.File("short.dat"), MakeFile({0}, {}).substr(0, 600));
    for (const char* name : {"foreign.dat", "short.dat"}) {
        SCOPED_TRACE(name);
        EXPECT_EQ(CheckImportFile(dir.File(name)), ImportCheck::BadFormat);
        EXPECT_EQ(ImportStoreFile(store, dir.File(name)), ImportOutcome::BadFormat);
    }
    EXPECT_EQ(CheckImportFile(dir.File("none.dat")), ImportCheck::CannotOpen);
    EXPECT_EQ(ImportStoreFile(store, dir.File("none.dat")), ImportOutcome::CannotOpen);
    // Only a regular file is read: a folder is not even opened.
    std::filesystem::create_directory(dir.File("folder.dat"));
    EXPECT_EQ(ImportStoreFile(store, dir.File("folder.dat")), ImportOutcome::CannotOpen);
    EXPECT_EQ(ReadBytes(data), before);
    EXPECT_EQ(store.items.size(), 2u);
    EXPECT_FALSE(std::filesystem::exists(ImportBackupPath(data)));
}

TEST_F(StoreExchangeTest, ExportThenImportRenumbersIdsSoCategoriesCanBeAddedAgain) {
    WriteBytes(data, MakeFile({0, 49}, {{49, 0}, {0, 1}, {49, 0}}));
    Store store;
    store.path = data;
    ASSERT_EQ(LoadStoreFile(store, "http://site/", "now"), LoadOutcome::Read);
    ASSERT_EQ(AddCategory(store, "new"), AddCategoryResult::IdsUsedUp);

    ASSERT_EQ(ExportStore(target, data), 0);
    // Gigabytes past the last record (sparse: no disk) are never read; the
    // records are.
    std::filesystem::resize_file(target,
                                 std::filesystem::file_size(target) + (std::uintmax_t(4) << 30));
    const OfferedFile offered = ReadOfferedFile(target);
    EXPECT_EQ(offered.bytes.size(), static_cast<std::size_t>(kFixedBlockSize + 2 * kRecordSize));
    ASSERT_EQ(ImportStoreBytes(store, offered.bytes), ImportOutcome::Imported);
    ASSERT_EQ(store.items.size(), 2u);
    EXPECT_EQ(store.items[1].recordIndex, 1);
    EXPECT_EQ(store.categoryRowCount[1], 2);
    EXPECT_EQ(AddCategory(store, "new"), AddCategoryResult::Added);
    EXPECT_EQ(store.categories[2].id, 2);
}

} // namespace
