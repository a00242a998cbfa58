#include <chrono>
#include <climits>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <gtest/gtest.h>
#ifndef _WIN32
#include <pwd.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

#include "core/favorites/favorite_ops.h"
#include "core/store/replace_file.h"
#include "core/store/store.h"
#include "core/store/store_load.h"
#include "core/text/utf8_path.h"
#include "platform/files.h"
#include "support/temp_dir.h"

namespace {

const std::string kSite = "http://127.0.0.1:8642/";
const std::string kNow = "2026/12/9 9:30:00";
const std::string kDefaultCategory = "\xC4\xAC\xC8\xCF\xB7\xD6\xC0\xE0"; // 默认分类

void PutText(std::string& bytes, std::size_t offset, const std::string& text) {
    std::memcpy(bytes.data() + offset, text.data(), text.size());
}

// A file written byte by byte from the documented offsets, independent of
// the structs: `records` gives (categoryId, deleted) per record.
std::string MakeFile(const std::vector<std::pair<int, int>>& records, int categoryCount = 2) {
    std::string bytes(2888 + 364 * records.size(), '\0');
    PutText(bytes, 0, "tvrV1.0");
    int live = 0;
    for (auto [category, deleted] : records)
        live += deleted == 0;
    PutInt32(bytes, 16, live);
    PutInt32(bytes, 20, static_cast<int32_t>(records.size()));
    PutInt32(bytes, 24, categoryCount);
    bytes[30] = 1;
    for (int row = 0; row < categoryCount; ++row) {
        PutText(bytes, 620 + 27 * row, "cat" + std::to_string(row));
        bytes[620 + 27 * row + 26] = static_cast<char>(row);
    }
    PutText(bytes, 1160, "QL");
    PutText(bytes, 1160 + 16, "http://ql.example/");
    for (std::size_t i = 0; i < records.size(); ++i) {
        const std::size_t at = 2888 + 364 * i;
        PutText(bytes, at, "http://site" + std::to_string(i) + ".example/");
        PutText(bytes, at + 256, "title" + std::to_string(i));
        bytes[at + 321] = static_cast<char>(records[i].first);
        PutInt32(bytes, at + 356, static_cast<int32_t>(i));
        PutInt32(bytes, at + 360, records[i].second);
    }
    return bytes;
}

class StoreFileTest : public ::testing::Test {
protected:
    TempDir dir;
    Store store;
    std::string path = dir.File("tvr.dat");
    void SetUp() override { store.path = path; }
};

TEST_F(StoreFileTest, NewFileIsTheDefaultFileByteForByte) {
    ASSERT_EQ(LoadStoreFile(store, kSite, kNow), LoadOutcome::Created);

    std::string expected(3252, '\0');
    PutText(expected, 0, "tvrV1.0");
    PutInt32(expected, 16, 1);
    PutInt32(expected, 20, 1);
    PutInt32(expected, 24, 1);
    expected[30] = 1; // first music player chosen
    PutText(expected, 620, kDefaultCategory);
    PutText(expected, 2888, kSite);
    PutText(expected, 2888 + 256, "Tavinor");
    PutText(expected, 2888 + 322, kNow);
    EXPECT_EQ(ReadBytes(path), expected);

    ASSERT_EQ(store.items.size(), 1u);
    EXPECT_EQ(store.items[0].title, "Tavinor");
    EXPECT_EQ(store.categoryRowCount[0], 1);
}

// Also in a folder with a Chinese name, as user folders on Chinese systems
// are: every path is UTF-8, whichever call opens it.
TEST_F(StoreFileTest, ReopeningTheNewFileListsTheSameFavorite) {
    const std::string folder = dir.File("\u6536\u85CF\u5939"); // 收藏夹
    ASSERT_TRUE(std::filesystem::create_directory(PathOf(folder)));
    for (const std::string& at : {path, folder + "/tvr.dat"}) {
        SCOPED_TRACE(at);
        Store first;
        first.path = at;
        ASSERT_EQ(LoadStoreFile(first, kSite, kNow), LoadOutcome::Created);
        Store again;
        again.path = at;
        ASSERT_EQ(LoadStoreFile(again, kSite, kNow), LoadOutcome::Read);
        ASSERT_EQ(again.items.size(), 1u);
        EXPECT_EQ(again.items[0].url, kSite);
        EXPECT_EQ(std::string(again.categories[0].name), kDefaultCategory);
    }
    EXPECT_TRUE(std::filesystem::is_regular_file(PathOf(folder + "/tvr.dat")));
}

TEST(StoreHeaderCheck, EachRuleAndItsBoundaries) {
    StoreHeader valid{};
    std::memcpy(valid.magic, "tvrV1.0", 8);
    valid.categoryCount = 1;
    ASSERT_TRUE(HeaderIsValid(valid));

    struct Case {
        const char* name;
        void (*change)(StoreHeader&);
        bool valid;
    };
    const Case cases[] = {
        {"other version text", [](StoreHeader& h) { std::memcpy(h.magic, "tvrV9.9", 8); }, true},
        {"wrong magic", [](StoreHeader& h) { h.magic[3] = 'X'; }, false},
        {"no categories", [](StoreHeader& h) { h.categoryCount = 0; }, false},
        {"20 categories", [](StoreHeader& h) { h.categoryCount = 20; }, true},
        {"21 categories", [](StoreHeader& h) { h.categoryCount = 21; }, false},
        {"negative favorites", [](StoreHeader& h) { h.favoriteCount = -1; }, false},
        {"negative records", [](StoreHeader& h) { h.recordCount = -1; }, false},
        {"site option 2", [](StoreHeader& h) { h.openSitePageOnStart = 2; }, false},
        {"mine option 2", [](StoreHeader& h) { h.openMinePageOnStart = 2; }, false},
        {"skin 20", [](StoreHeader& h) { h.skinChoice = 20; }, true},
        {"skin 21", [](StoreHeader& h) { h.skinChoice = 21; }, false},
        {"skin -1", [](StoreHeader& h) { h.skinChoice = -1; }, false},
        {"player 5", [](StoreHeader& h) { h.playerChoice = 5; }, true},
        {"player 6", [](StoreHeader& h) { h.playerChoice = 6; }, false},
        {"player -1", [](StoreHeader& h) { h.playerChoice = -1; }, false},
    };
    for (const Case& c : cases) {
        StoreHeader header = valid;
        c.change(header);
        EXPECT_EQ(HeaderIsValid(header), c.valid) << c.name;
    }
}

TEST_F(StoreFileTest, RejectedFileIsBackedUpAndReplacedFromZero) {
    std::string bad = MakeFile({{0, 0}, {1, 0}});
    bad[31] = static_cast<char>(-1); // skin -1 fails the check
    WriteBytes(path, bad);

    EXPECT_EQ(LoadStoreFile(store, kSite, kNow), LoadOutcome::ReplacedBad);
    EXPECT_EQ(ReadBytes(BackupPath(path)), bad);
    // An empty file has nothing to keep and leaves the earlier backup alone.
    WriteBytes(path, "");
    Store emptied;
    emptied.path = path;
    EXPECT_EQ(LoadStoreFile(emptied, kSite, kNow), LoadOutcome::ReplacedBad);
    EXPECT_EQ(ReadBytes(BackupPath(path)), bad);
    const std::string now = ReadBytes(path);
    ASSERT_EQ(now.size(), 3252u);
    EXPECT_EQ(now[31], 0) << "the rejected skin value must not reach the new file";
    EXPECT_EQ(store.items.size(), 1u);
}

TEST_F(StoreFileTest, RejectedFileIsKeptWhenNoBackupCanBeWritten) {
    const std::string bad = "not a data file";
    WriteBytes(path, bad);
    std::filesystem::create_directory(BackupPath(path)); // the copy cannot replace a folder

    EXPECT_EQ(LoadStoreFile(store, kSite, kNow), LoadOutcome::KeptUnreadable);
    EXPECT_EQ(ReadBytes(path), bad);
    EXPECT_TRUE(store.path.empty());
    EXPECT_EQ(store.items.size(), 1u) << "the run goes on with the defaults in memory";
    EXPECT_EQ(SaveStore(store, store.record, false), -1);
    EXPECT_EQ(ReadBytes(path), bad);
}

TEST_F(StoreFileTest, DeletedRecordsAreSkippedAndCountsKept) {
    WriteBytes(path, MakeFile({{0, 0}, {7, 1}, {1, 0}})); // deleted one has no category
    ASSERT_EQ(LoadStoreFile(store, kSite, kNow), LoadOutcome::Read);
    ASSERT_EQ(store.items.size(), 2u);
    EXPECT_EQ(store.items[0].recordIndex, 0);
    EXPECT_EQ(store.items[1].recordIndex, 2);
    EXPECT_EQ(store.header.favoriteCount, 2);
    EXPECT_EQ(store.header.recordCount, 3);
    EXPECT_EQ(store.categoryRowCount[0], 1);
    EXPECT_EQ(store.categoryRowCount[1], 1);
    EXPECT_EQ(store.categoryRowCount[7], 0);
    EXPECT_EQ(std::string(store.quickLinks[0].url), "http://ql.example/");
}

TEST_F(StoreFileTest, DamagedFilesNeverListGarbage) {
    // Category ids outside 0..49 belong to no category.
    WriteBytes(path, MakeFile({{0, 0}, {60, 0}, {-3, 0}, {49, 0}}));
    ASSERT_EQ(LoadStoreFile(store, kSite, kNow), LoadOutcome::Read);
    ASSERT_EQ(store.items.size(), 2u);
    EXPECT_EQ(store.items[1].categoryId, 49);

    // Fewer records than the header says, the last one cut in half.
    std::string shortFile = MakeFile({{0, 0}, {0, 1}, {1, 0}, {1, 0}});
    shortFile.resize(2888 + 364 * 2 + 100);
    WriteBytes(path, shortFile);
    Store cut;
    cut.path = path;
    ASSERT_EQ(LoadStoreFile(cut, kSite, kNow), LoadOutcome::Read);
    EXPECT_EQ(cut.items.size(), 1u);
    EXPECT_EQ(cut.header.recordCount, 2);
    EXPECT_EQ(cut.header.favoriteCount, 1);

    // A huge record count on a one-record file ends at the end of the file.
    std::string huge = MakeFile({{0, 0}});
    PutInt32(huge, 20, INT_MAX);
    WriteBytes(path, huge);
    Store big;
    big.path = path;
    ASSERT_EQ(LoadStoreFile(big, kSite, kNow), LoadOutcome::Read);
    EXPECT_EQ(big.items.size(), 1u);

    // Shorter than a header.
    WriteBytes(path, "tvrV");
    Store tiny;
    tiny.path = path;
    EXPECT_EQ(LoadStoreFile(tiny, kSite, kNow), LoadOutcome::ReplacedBad);
}

TEST_F(StoreFileTest, AppendAfterAShortFileLandsRightAfterTheLastCompleteRecord) {
    std::string shortFile = MakeFile({{0, 0}, {0, 0}, {0, 0}});
    shortFile.resize(2888 + 364 * 2 + 50);
    WriteBytes(path, shortFile);
    ASSERT_EQ(LoadStoreFile(store, kSite, kNow), LoadOutcome::Read);

    FavoriteRecord record{};
    std::strcpy(record.title, "new");
    record.recordIndex = store.header.recordCount;
    store.header.recordCount += 1;
    ASSERT_EQ(SaveStore(store, record, true), 0);
    const std::string bytes = ReadBytes(path);
    ASSERT_EQ(bytes.size(), 2888u + 364 * 3);
    EXPECT_EQ(Int32At(bytes, 2888 + 364 * 2 + 356), 2);
    EXPECT_EQ(Int32At(bytes, 20), 3);
}

TEST_F(StoreFileTest, AFileCutInsideItsTablesTakesAndKeepsANewRecord) {
    WriteBytes(path, MakeFile({{0, 0}}).substr(0, 1500));
    ASSERT_EQ(LoadStoreFile(store, kSite, kNow), LoadOutcome::Read);
    ASSERT_EQ(store.header.recordCount, 0);

    FavoriteRecord record{};
    std::strcpy(record.url, "http://new.example/");
    store.header.recordCount = 1;
    ASSERT_EQ(SaveStore(store, record, true), 0);
    const std::string bytes = ReadBytes(path);
    ASSERT_EQ(bytes.size(), 2888u + 364);
    EXPECT_EQ(bytes.substr(620, 4), "cat0") << "the tables as read";
    Store reread;
    reread.path = path;
    ASSERT_EQ(ReadStore(reread), ReadOutcome::Ok);
    ASSERT_EQ(reread.items.size(), 1u);
    EXPECT_EQ(reread.items[0].url, "http://new.example/");
}

TEST_F(StoreFileTest, SaveReportsEveryFailure) {
    EXPECT_EQ(SaveStore(store, store.record, false), -1) << "missing file";
    EXPECT_FALSE(std::filesystem::exists(path)) << "a save never creates the file";

    Store full;
    full.path = "/dev/full"; // opens, but every write fails
    EXPECT_EQ(SaveStore(full, full.record, true), -1);
}

TEST_F(StoreFileTest, SaveWithoutAppendRewritesOnlyTheFixedBlock) {
    WriteBytes(path, MakeFile({{0, 0}, {1, 0}}));
    LoadStoreFile(store, kSite, kNow);
    const std::string before = ReadBytes(path);
    store.header.skinChoice = 1;
    store.header.openSitePageOnStart = 1;
    ASSERT_EQ(SaveStore(store, store.record, false), 0);
    const std::string after = ReadBytes(path);
    ASSERT_EQ(after.size(), before.size());
    EXPECT_EQ(after[31], 1);
    EXPECT_EQ(after[28], 1);
    EXPECT_EQ(after.substr(2888), before.substr(2888));
}

} // namespace

// A file past 4 GiB (sparse, so no disk) is still a regular file of its real
// size, and a write past 4 GiB lands there, not 4 GiB lower over a record:
// sizes and offsets must not go through a 32-bit type on any system.
TEST_F(StoreFileTest, SizesAndOffsetsPastFourGibibytesAreExact) {
    const std::int64_t far = (std::int64_t(4) << 30) + 3 * 364;
    WriteBytes(path, MakeFile({{0, 0}, {0, 0}}));
    std::filesystem::resize_file(path, static_cast<std::uintmax_t>(far) + 364);
    {
        platform::File file = platform::File::ReadRegular(path);
        ASSERT_TRUE(file.IsOpen());
        EXPECT_EQ(file.Size(), far + 364);
    }
    const int32_t marker = 0x7A7A7A7A;
    ASSERT_TRUE(platform::File::Update(path).WriteAt(far, &marker, sizeof marker));
    std::ifstream in(path, std::ios::binary);
    std::string head(2888 + 2 * 364, '\0');
    in.read(head.data(), static_cast<std::streamsize>(head.size()));
    EXPECT_EQ(head, MakeFile({{0, 0}, {0, 0}}));
    in.seekg(far);
    int32_t read = 0;
    in.read(reinterpret_cast<char*>(&read), sizeof read);
    EXPECT_EQ(read, marker);
}

#ifndef _WIN32
// The data file holds the lock password in plain text.
TEST(StorePermissions, FileAndFolderAreTheOwnersAlone) {
    namespace fs = std::filesystem;
    TempDir dir;
    const std::string folder = dir.File("tavinor");
    fs::create_directory(folder);
    fs::permissions(folder, fs::perms(0755));
    Store created;
    created.path = folder + "/tvr.dat";
    ASSERT_EQ(LoadStoreFile(created, kSite, kNow), LoadOutcome::Created);
    EXPECT_EQ(fs::status(created.path).permissions(), fs::perms(0600));
    EXPECT_EQ(fs::status(folder).permissions(), fs::perms(0700));

    // A file left readable by others is tightened at the next load.
    fs::permissions(created.path, fs::perms(0644));
    Store again;
    again.path = created.path;
    ASSERT_EQ(LoadStoreFile(again, kSite, kNow), LoadOutcome::Read);
    EXPECT_EQ(fs::status(again.path).permissions(), fs::perms(0600));

    // A file rewritten whole (clearing) is a new file and must stay private.
    ASSERT_EQ(ClearFavorites(again, kSite, kNow), 0);
    EXPECT_EQ(fs::status(again.path).permissions(), fs::perms(0600));
}

namespace {

// Runs `check` in a child process as an ordinary user (nobody, when the tests
// run as root, who ignores modes). Its exit status is the bits of the checks
// that failed.
int AsOrdinaryUser(const std::function<int()>& check) {
    const pid_t child = fork();
    if (child == 0) {
        const passwd* nobody = getpwnam("nobody");
        if (geteuid() == 0 && (!nobody || setgid(nobody->pw_gid) != 0 ||
                               setuid(nobody->pw_uid) != 0 || geteuid() == 0))
            _exit(128);
        _exit(check());
    }
    int status = 0;
    waitpid(child, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : 255;
}

int Mode(const std::string& path) {
    struct stat status {};
    return ::stat(path.c_str(), &status) == 0 ? int(status.st_mode & 07777) : -1;
}

} // namespace

// The user made the file and its folder read-only: loading takes the rights
// of others away and gives none back, and the first save fails.
TEST(StorePermissions, AReadOnlyFileStaysReadOnly) {
    const int failed = AsOrdinaryUser([] {
        char folder[] = "/tmp/tvr-readonly-XXXXXX";
        if (!mkdtemp(folder))
            return 64;
        Store made;
        made.path = std::string(folder) + "/tvr.dat";
        LoadStoreFile(made, kSite, kNow);
        const std::string before = ReadBytes(made.path);
        ::chmod(made.path.c_str(), 0444);
        ::chmod(folder, 0555);
        Store store;
        store.path = made.path;
        int bits = 0;
        bits |= LoadStoreFile(store, kSite, kNow) != LoadOutcome::Read ? 1 : 0;
        bits |= Mode(store.path) != 0400 ? 2 : 0;
        bits |= Mode(folder) != 0500 ? 4 : 0;
        bits |= SaveStore(store, store.record, false) != -1 ? 8 : 0;
        bits |= ReadBytes(store.path) != before ? 16 : 0;
        ::chmod(folder, 0700);
        std::filesystem::remove_all(folder);
        return bits;
    });
    EXPECT_EQ(failed, 0) << "1 read, 2 file mode, 4 folder mode, 8 save failed, 16 unchanged";
}
#else
TEST(StorePermissions, OwnerAloneAndReadOnly) {
    GTEST_SKIP() << "POSIX file modes and users; on Windows the profile folder's rights keep the "
                    "file";
}
#endif

// What a killed write leaves beside the data file goes at the next start;
// anything merely named alike, newer, or not a plain file stays.
TEST(StaleCopies, OnlyOlderTemporaryCopiesOfTheFileAreRemoved) {
    namespace fs = std::filesystem;
    TempDir dir;
    const std::string path = dir.File("tvr.dat");
    WriteBytes(path, "data");
    const std::vector<std::string> stale = {path + ".tmp-x7Q2pZ", path + ".tmp-Ab12Cd"};
    const std::vector<std::string> kept = {path + ".tmp-Ab12C",
                                           path + ".tmp-Ab12Cde",
                                           path + ".tmp-Ab_2Cd",
                                           path + ".tmp-Ab12C\xC3\xA4",
                                           dir.File("xtvr.dat.tmp-Ab12Cd"),
                                           dir.File("tvr.da.tmp-Ab12Cd"),
                                           path + "_bak",
                                           path + "_import.tmp-Ab12Cd"};
    for (const std::string& file : stale)
        WriteBytes(file, "copy");
    for (const std::string& file : kept)
        WriteBytes(file, "other");
    // Not plain files: a folder, and (where the system makes them) a link
    // whose target must survive too.
    fs::create_directory(path + ".tmp-Dir123");
    std::error_code noLinks;
    fs::create_symlink(path, path + ".tmp-Lnk123", noLinks);
    const auto past = fs::file_time_type::clock::now() - std::chrono::hours(1);
    // Windows' C library sets no folder's time: the folder then counts as new.
    std::error_code noTime;
    for (const auto& entry : fs::directory_iterator(dir.path()))
        if (entry.is_directory())
            fs::last_write_time(entry.path(), past, noTime);
        else if (!entry.is_symlink())
            fs::last_write_time(entry.path(), past);
    // Written after this start: a running write, not a stale one.
    const std::string fresh = path + ".tmp-New123";
    const auto before = fs::file_time_type::clock::now() - std::chrono::minutes(1);
    WriteBytes(fresh, "being written");

    EXPECT_EQ(RemoveStaleCopies(path, before), 2);
    for (const std::string& file : stale)
        EXPECT_FALSE(fs::exists(PathOf(file))) << file;
    for (const std::string& file : kept)
        EXPECT_TRUE(fs::exists(PathOf(file))) << file;
    EXPECT_TRUE(fs::exists(fresh));
    EXPECT_TRUE(fs::is_directory(path + ".tmp-Dir123"));
    EXPECT_TRUE(noLinks || fs::is_symlink(path + ".tmp-Lnk123"));
    EXPECT_EQ(ReadBytes(path), "data");
}
