// Reading a data file of 100,000 favorites in 20 categories, and building the
// personal start page from them.
#include <benchmark/benchmark.h>
#include <filesystem>
#include <string>

#include "core/favorites/start_page.h"
#include "core/store/store.h"
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

} // namespace

BENCHMARK_MAIN();
