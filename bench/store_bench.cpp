// Reading a data file of 100,000 favorites in 20 categories, building the
// personal start page from them, the writes of the favorites page on it
// (adding one favorite, deleting a category's 5,000 favorites, clearing),
// exporting it, adding 2,000 bookmarks from outside through the categories,
// and parsing a bookmark file of 400,000 links.
#include <benchmark/benchmark.h>
#include <filesystem>
#include <string>

#include "core/favorites/favorite_ops.h"
#include "core/favorites/favorites_walk.h"
#include "core/favorites/netscape_bookmarks.h"
#include "core/favorites/start_page.h"
#include "core/favorites/store_exchange.h"
#include "core/store/store.h"
#include "core/store/store_load.h"
#include "large_store_file.h"

namespace {

const std::string& LargeFile() {
    static const std::string path = [] {
        const std::string file =
            (std::filesystem::temp_directory_path() / "tavinor-bench-tvr.dat").string();
        WriteLargeStoreFile(file, 100000);
        return file;
    }();
    return path;
}

void BM_ReadStore100k(benchmark::State& state) {
    const std::string& path = LargeFile();
    for (auto _ : state) {
        Store store;
        store.path = path;
        benchmark::DoNotOptimize(ReadStore(store));
        benchmark::DoNotOptimize(store.items.size());
    }
}
BENCHMARK(BM_ReadStore100k)->Unit(benchmark::kMillisecond);

void BM_StartPage100k(benchmark::State& state) {
    Store store;
    store.path = LargeFile();
    ReadStore(store);
    for (auto _ : state) {
        const std::string page = BuildStartPage(store, true, "http://127.0.0.1:8642/");
        benchmark::DoNotOptimize(page.size());
    }
}
BENCHMARK(BM_StartPage100k)->Unit(benchmark::kMillisecond);

// A fresh 100,000-favorite file read into a store.
void ReadFreshFile(Store& store) {
    store = Store{};
    store.path = LargeFile();
    WriteLargeStoreFile(store.path, 100000);
    ReadStore(store);
}

void ReadFreshFileUntimed(benchmark::State& state, Store& store) {
    state.PauseTiming();
    ReadFreshFile(store);
    state.ResumeTiming();
}

void BM_AddFavorite100k(benchmark::State& state) {
    Store store;
    ReadFreshFile(store);
    for (auto _ : state)
        AddFavorite(store, 3, "www.example.com", "Example", "2026/1/1 0:00:00");
}
BENCHMARK(BM_AddFavorite100k)->Unit(benchmark::kMicrosecond);

void BM_DeleteCategoryFavorites100k(benchmark::State& state) {
    Store store;
    for (auto _ : state) {
        ReadFreshFileUntimed(state, store);
        SelectAll(store, 3, true);
        benchmark::DoNotOptimize(DeleteCheckedFavorites(store, 3));
    }
}
BENCHMARK(BM_DeleteCategoryFavorites100k)->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_Clear100k(benchmark::State& state) {
    Store store;
    for (auto _ : state) {
        ReadFreshFileUntimed(state, store);
        benchmark::DoNotOptimize(ClearFavorites(store, "http://127.0.0.1/", "2026/1/1 0:00:00"));
    }
}
BENCHMARK(BM_Clear100k)->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_Export100k(benchmark::State& state) {
    const std::string target =
        (std::filesystem::temp_directory_path() / "tavinor-bench-export.dat").string();
    for (auto _ : state)
        benchmark::DoNotOptimize(ExportStore(target, LargeFile()));
    std::filesystem::remove(target);
}
BENCHMARK(BM_Export100k)->Unit(benchmark::kMillisecond);

// 2,000 links in 20 folders, added to a new data file one saved record each.
void BM_ImportBookmarks2k(benchmark::State& state) {
    BookmarkNode root = BookmarkNode::Folder("");
    for (int f = 0; f < 20; ++f) {
        root.children.push_back(BookmarkNode::Folder("folder" + std::to_string(f)));
        for (int n = 0; n < 100; ++n)
            root.children.back().children.push_back(BookmarkNode::Link(
                "title", "http://site" + std::to_string(f * 100 + n) + ".example/"));
    }
    const std::string path =
        (std::filesystem::temp_directory_path() / "tavinor-bench-import.dat").string();
    for (auto _ : state) {
        std::filesystem::remove(path);
        Store store;
        store.path = path;
        LoadStoreFile(store, "http://site/", "now");
        benchmark::DoNotOptimize(ImportFavoritesFolder(store, root, "now"));
    }
    std::filesystem::remove(path);
}
BENCHMARK(BM_ImportBookmarks2k)->Unit(benchmark::kMillisecond);

// A bookmark file of 400,000 links as browsers write it (a line each) and as
// some exporters do (all on one line): the parse must not care.
std::string BookmarkFileText(const char* separator) {
    std::string text = "<!DOCTYPE NETSCAPE-Bookmark-file-1>\n<DL><p>";
    text += separator;
    for (int n = 0; n < 400000; ++n) {
        text += "<DT><A HREF=\"http://site" + std::to_string(n) +
                ".example/\" ADD_DATE=\"1700000000\">Site &amp; " + std::to_string(n) + "</A>";
        text += separator;
    }
    return text + "</DL><p>";
}

void BM_ParseBookmarks400k(benchmark::State& state, const char* separator) {
    const std::string text = BookmarkFileText(separator);
    for (auto _ : state)
        benchmark::DoNotOptimize(ReadNetscapeBookmarks(text).children.size());
}
BENCHMARK_CAPTURE(BM_ParseBookmarks400k, LineEach, "\n")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_ParseBookmarks400k, OneLine, "")->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
