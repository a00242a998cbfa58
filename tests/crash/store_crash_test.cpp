// Kills a process running store operations before each of its writes to the
// data file (strace's fault injection), then checks that the file loads, that
// everything an operation had saved before the kill is there, and that a
// half-done operation shows as done or not done, never as something else.
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <gtest/gtest.h>
#include <map>
#include <random>
#include <regex>
#include <set>
#include <sstream>

#include "core/store/replace_file.h"
#include "core/store/store_load.h"
#include "crash/store_script.h"
#include "support/temp_dir.h"

namespace {

// Every call that changes a file or its name; reads and opens are not counted.
const char kWrites[] =
    "/^(write|pwrite64|pwritev|pwritev2|fsync|fdatasync|rename|renameat|renameat2|unlink|"
    "unlinkat|ftruncate|truncate)$";

std::string Quoted(const std::string& text) {
    return "'" + text + "'";
}

std::string Output(const std::string& command) {
    std::string out;
    if (std::FILE* pipe = popen(command.c_str(), "r")) {
        char buffer[4096];
        for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;)
            out.append(buffer, n);
        pclose(pipe);
    }
    return out;
}

struct Totals {
    int kills = 0;
    int unloadable = 0;
    int lost = 0;        // a saved change missing, or a state no run of the operations gives
    int copies = 0;      // temporary copies of the data file left behind
    int strayCopies = 0; // ... by a kill before anything but the rename that ends a write
};

class StoreCrashTest : public ::testing::Test {
protected:
    TempDir dir;
    std::string path = dir.File("tvr.dat");
    std::string initial;

    // Three categories, a few favorites, settings and quick links.
    void SetUp() override {
        Store store;
        store.path = path;
        LoadStoreFile(store, "http://site.example/", "2026/12/9 12:00:00");
        for (const char* token : {"c1", "c2", "a0", "a1", "a2", "a4", "a5", "a7", "a8", "s3"})
            ASSERT_EQ(ApplyOp(store, token), 0) << token;
        initial = ReadBytes(path);
    }

    std::string DriverCommand(const std::vector<std::string>& ops) const {
        std::string command = Quoted(STORE_OPS_DRIVER) + " " + Quoted(path);
        for (const std::string& op : ops)
            command += " " + op;
        return command;
    }

    // The writes of an undisturbed run, by name, in order.
    std::vector<std::string> Writes(const std::vector<std::string>& ops) {
        WriteBytes(path, initial);
        const std::string log = dir.File("trace");
        Output("strace -f -qq -o " + Quoted(log) + " -e trace=" + Quoted(kWrites) + " " +
               DriverCommand(ops) + " >/dev/null");
        std::vector<std::string> names;
        std::istringstream lines(ReadBytes(log));
        const std::regex call(R"(^(?:\d+\s+)?(\w+)\()");
        std::smatch match;
        for (std::string line; std::getline(lines, line);)
            if (std::regex_search(line, match, call))
                names.push_back(match[1]);
        return names;
    }

    // The state after each operation of an undisturbed run, from memory.
    std::vector<Snapshot> Expected(const std::vector<std::string>& ops) {
        WriteBytes(path, initial);
        Store store;
        store.path = path;
        EXPECT_EQ(ReadStore(store), ReadOutcome::Ok);
        std::vector<Snapshot> states{SnapshotOf(store)};
        for (const std::string& op : ops) {
            ApplyOp(store, op);
            states.push_back(SnapshotOf(store));
        }
        Store loaded;
        loaded.path = path;
        ReadStore(loaded);
        EXPECT_EQ(SnapshotOf(loaded), states.back()) << "the file holds what memory holds";
        return states;
    }

    // Kills the run before the `nth` (1-based) call named `name`.
    void KillAt(const std::vector<std::string>& ops, const std::vector<Snapshot>& states,
                const std::string& name, int nth, Totals& totals) {
        WriteBytes(path, initial);
        const std::string journal = Output("strace -f -qq -o /dev/null -e inject=" + name +
                                           ":signal=KILL:when=" + std::to_string(nth) + " " +
                                           DriverCommand(ops) + " 2>/dev/null");
        const std::size_t done = std::count(journal.begin(), journal.end(), '\n');
        ASSERT_LT(done, ops.size()) << "the kill came after the last operation";
        totals.kills += 1;
        const int copies = RemoveCopies();
        totals.copies += copies;
        totals.strayCopies += name == "rename" ? 0 : copies;

        Store loaded;
        loaded.path = path;
        if (ReadStore(loaded) != ReadOutcome::Ok) {
            totals.unloadable += 1;
            ADD_FAILURE() << "unloadable after " << done << " operations, killed at " << name
                          << " #" << nth;
            return;
        }
        if (!Consistent(loaded) ||
            !Allowed(SnapshotOf(loaded), states[done], states[done + 1], ops[done])) {
            totals.lost += 1;
            ADD_FAILURE() << "wrong state after " << done << " operations, killed in " << ops[done]
                          << " at " << name << " #" << nth;
        }
    }

    // Removes the temporary copies a killed write left beside the data file.
    int RemoveCopies() const {
        int removed = 0;
        for (const auto& entry : std::filesystem::directory_iterator(dir.path()))
            if (IsTemporaryCopyName(entry.path().filename().string(), "tvr.dat"))
                removed += std::filesystem::remove(entry.path()) ? 1 : 0;
        return removed;
    }

    // Counts agree with the records, and every favorite has its category.
    static bool Consistent(const Store& loaded) {
        std::map<int, int> perCategory;
        std::set<int> ids;
        for (int row = 0; row < loaded.header.categoryCount; ++row)
            ids.insert(loaded.categories[row].id);
        for (const FavoriteItem& item : loaded.items) {
            perCategory[item.categoryId] += 1;
            if (!ids.count(item.categoryId))
                return false;
        }
        for (int id = 0; id < kCategoryIdCount; ++id)
            if (loaded.categoryRowCount[id] != perCategory[id])
                return false;
        return loaded.header.favoriteCount == static_cast<int32_t>(loaded.items.size());
    }

    // Before or after the interrupted operation; a deletion may also have
    // deleted some of its favorites, each one wholly.
    static bool Allowed(const Snapshot& got, const Snapshot& before, const Snapshot& after,
                        const std::string& op) {
        if (got == before || got == after)
            return true;
        if (op[0] != 'd' && op[0] != 'x')
            return false;
        const std::set<std::string> have(got.favorites.begin(), got.favorites.end());
        const auto within = [&have](const std::vector<std::string>& list) {
            return std::includes(list.begin(), list.end(), have.begin(), have.end(),
                                 [](const std::string& a, const std::string& b) { return a < b; });
        };
        std::vector<std::string> wider(before.favorites), narrower(after.favorites);
        std::sort(wider.begin(), wider.end());
        std::sort(narrower.begin(), narrower.end());
        return (got.categories == before.categories || got.categories == after.categories) &&
               got.settings == before.settings && within(wider) &&
               std::includes(have.begin(), have.end(), narrower.begin(), narrower.end());
    }

    // A kill before each write of the run, one run per kill.
    void KillAtEveryWrite(const std::vector<std::string>& ops, Totals& totals) {
        const std::vector<Snapshot> states = Expected(ops);
        std::map<std::string, int> seen;
        for (const std::string& name : Writes(ops))
            KillAt(ops, states, name, ++seen[name], totals);
    }
};

void Report(const char* what, const Totals& totals) {
    std::printf("%s: %d kills, %d files that failed to load, %d saved changes lost, %d copies "
                "left (%d before anything but a rename)\n",
                what, totals.kills, totals.unloadable, totals.lost, totals.copies,
                totals.strayCopies);
}

TEST_F(StoreCrashTest, EachOperationKilledBeforeEachOfItsWrites) {
    Totals totals;
    // add favorite, add category, delete favorites, delete category, move,
    // clear, save at close
    for (const char* op : {"a3", "c5", "d4", "x1", "m9", "k", "s4"}) {
        const int before = totals.kills;
        KillAtEveryWrite({op}, totals);
        EXPECT_GT(totals.kills, before) << op << " writes nothing";
    }
    Report("each operation", totals);
    EXPECT_EQ(totals.unloadable, 0);
    EXPECT_EQ(totals.lost, 0);
    EXPECT_EQ(totals.strayCopies, 0) << "a copy named before it was complete";
}

TEST_F(StoreCrashTest, RandomKillsDuringALongSequence) {
    std::mt19937 random(20261209);
    const std::string letters = "aaaaaaaacddmmsssxk";
    std::vector<std::string> ops;
    for (int i = 0; i < 80; ++i) {
        const char letter = letters[random() % letters.size()];
        ops.push_back(letter + std::to_string(random() % 100));
    }
    const std::vector<Snapshot> states = Expected(ops);
    const std::vector<std::string> writes = Writes(ops);
    ASSERT_GT(writes.size(), 100u);

    Totals totals;
    for (int kill = 0; kill < 300; ++kill) {
        const std::size_t at = random() % writes.size();
        const int nth =
            static_cast<int>(std::count(writes.begin(), writes.begin() + at + 1, writes[at]));
        KillAt(ops, states, writes[at], nth, totals);
    }
    Report("random moments", totals);
    EXPECT_EQ(totals.kills, 300);
    EXPECT_EQ(totals.unloadable, 0);
    EXPECT_EQ(totals.lost, 0);
}

} // namespace

// An imported file that cannot be read back once it replaced the data file
// (its open fails, as on a disk gone bad): the old file is put back whole and
// no backup is left behind.
TEST_F(StoreCrashTest, AnImportThatCannotBeReadBackPutsTheOldFileBack) {
    std::string imported = initial;
    imported[kCategoryTableOffset] = 'Z'; // another name for the first category
    WriteBytes(path + ".import", imported);

    // The opens of an undisturbed import, to find the one that reads it back.
    WriteBytes(path, initial);
    const std::string log = dir.File("opens");
    Output("strace -f -qq -o " + Quoted(log) + " -e trace=openat " + DriverCommand({"i"}) +
           " >/dev/null");
    int opens = 0, readBack = 0;
    std::istringstream lines(ReadBytes(log));
    for (std::string line; std::getline(lines, line);) {
        if (line.find("openat(") == std::string::npos)
            continue;
        ++opens;
        if (line.find("\"" + path + "\"") != std::string::npos &&
            line.find("O_RDONLY") != std::string::npos)
            readBack = opens; // the last read of the data file is the read-back
    }
    ASSERT_GT(readBack, 0);
    ASSERT_EQ(ReadBytes(path), imported) << "an undisturbed import replaces the file";

    WriteBytes(path, initial);
    const std::string report = Output(
        "strace -f -qq -o /dev/null -e inject=openat:error=EIO:when=" + std::to_string(readBack) +
        " " + DriverCommand({"i"}) + " 2>/dev/null");
    EXPECT_EQ(report, "1 1\n") << "the old file was put back";
    EXPECT_EQ(ReadBytes(path), initial);
    EXPECT_FALSE(std::filesystem::exists(path + "_import"));
}
