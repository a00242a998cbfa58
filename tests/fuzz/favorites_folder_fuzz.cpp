// A folder of internet shortcuts is whatever the user or another program put
// there. Each input lays out such a folder, one line per entry:
//   "d NAME" a folder (entered), "u" back up, "l NAME" a link to the parent,
//   "f NAME\tTEXT" a file ('|' in TEXT is a line break).
// The folder is read as the import reads it and imported into a real data
// file, which must then read back exactly as memory holds it.
#include <algorithm>
#include <cstring>
#include <filesystem>
#include <map>
#include <sstream>

#include "core/favorites/favorites_walk.h"
#include "core/favorites/shortcut_folder.h"
#include "core/store/store_load.h"
#include "core/text/gbk_text.h"
#include "fuzz/fuzz_check.h"
#include "support/temp_dir.h"

namespace fs = std::filesystem;

namespace {

const char kNow[] = "2026/12/9 9:30:00";
constexpr int kMaxDepth = 6;

// folder path (relative, "" for the top) + '/' + file name -> file text
using Laid = std::map<std::string, std::string>;

std::string SafeName(std::string name) {
    std::erase(name, '/');
    std::erase(name, '\0');
    name.resize(std::min<std::size_t>(name.size(), 120));
    return name == "." || name == ".." ? std::string() : name;
}

Laid LayOut(const std::string& script, const fs::path& top) {
    Laid files;
    std::vector<std::string> folders{""};
    std::istringstream lines(script);
    std::string line;
    std::error_code error;
    while (std::getline(lines, line)) {
        if (line == "u" && folders.size() > 1)
            folders.pop_back();
        if (line.size() < 3 || line[1] != ' ')
            continue;
        const std::size_t tab = line.find('\t');
        const std::string name = SafeName(line.substr(2, tab == std::string::npos ? tab : tab - 2));
        const fs::path place = top / folders.back() / name;
        if (name.empty() || fs::exists(fs::symlink_status(place, error)))
            continue;
        if (line[0] == 'd' && folders.size() < kMaxDepth) {
            fs::create_directory(place, error);
            folders.push_back(folders.back() + "/" + name);
        } else if (line[0] == 'l') {
            fs::create_directory_symlink("..", place, error);
        } else if (line[0] == 'f') {
            std::string text = tab == std::string::npos ? "" : line.substr(tab + 1);
            std::replace(text.begin(), text.end(), '|', '\n');
            WriteBytes(place.string(), text);
            files[folders.back() + "/" + name] = text;
        }
    }
    return files;
}

// Every folder and link read is one that was laid out, under the name rules.
void CheckRead(const BookmarkNode& folder, const std::string& at, const Laid& files) {
    for (const BookmarkNode& child : folder.children) {
        FUZZ_CHECK(child.name.empty() || child.name[0] != '.');
        if (child.folder) {
            CheckRead(child, at + "/" + child.name, files);
            continue;
        }
        bool found = false;
        for (auto it = files.lower_bound(at + "/" + child.name); it != files.end(); ++it) {
            const std::string name = it->first.substr(at.size() + 1);
            if (it->first.compare(0, at.size() + 1, at + "/") != 0 ||
                name.compare(0, child.name.size(), child.name) != 0)
                break;
            const bool titled =
                child.name.empty() ? name.size() <= 4 : name.size() == child.name.size() + 4;
            if (titled && name.find('/') == std::string::npos &&
                ShortcutUrl(it->second) == child.url)
                found = true;
        }
        FUZZ_CHECK(found);
    }
}

// Counted by the import, never stored as favorites.
int LinksWithoutAddress(const BookmarkNode& folder) {
    int count = 0;
    for (const BookmarkNode& child : folder.children)
        count += child.folder ? LinksWithoutAddress(child) : TrimBytes(child.url).empty();
    return count;
}

bool SameStore(const Store& a, const Store& b) {
    if (a.header.categoryCount != b.header.categoryCount ||
        a.header.recordCount != b.header.recordCount || a.items.size() != b.items.size() ||
        std::memcmp(a.categories, b.categories, sizeof a.categories) != 0)
        return false;
    for (std::size_t i = 0; i < a.items.size(); ++i)
        if (a.items[i].recordIndex != b.items[i].recordIndex ||
            a.items[i].categoryId != b.items[i].categoryId || a.items[i].url != b.items[i].url ||
            a.items[i].title != b.items[i].title)
            return false;
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const TempDir dir;
    const fs::path top = dir.File("Favorites");
    std::error_code error;
    fs::remove_all(top, error);
    fs::create_directory(top);
    const Laid files = LayOut(std::string(reinterpret_cast<const char*>(data), size), top);

    const BookmarkNode tree = ReadShortcutFolder(top.string());
    CheckRead(tree, "", files);

    const std::string dataFile = dir.File("tvr.dat");
    fs::remove(dataFile, error);
    Store store;
    store.path = dataFile;
    LoadStoreFile(store, "http://127.0.0.1:8642/", kNow);
    // Taken in slices of a few links, as the window takes a large import.
    FavoritesImport walk(store, tree, kNow);
    while (!walk.Step(1 + size % 3)) {
    }
    const WalkOutcome& outcome = walk.outcome();
    FUZZ_CHECK(outcome.saved);
    FUZZ_CHECK(outcome.added + 1 == static_cast<int>(store.items.size()));
    FUZZ_CHECK(outcome.skipped == LinksWithoutAddress(tree));
    Store reread;
    reread.path = dataFile;
    FUZZ_CHECK(ReadStore(reread) == ReadOutcome::Ok);
    FUZZ_CHECK(SameStore(store, reread));
    return 0;
}
