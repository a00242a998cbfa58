// Reading a data file of 100,000 favorites in 20 categories.
#include <benchmark/benchmark.h>
#include <filesystem>
#include <string>

#include "large_store_file.h"
#include "store/store.h"

namespace {

void BM_ReadStore100k(benchmark::State& state) {
    static const std::string path = [] {
        const std::string file =
            (std::filesystem::temp_directory_path() / "tavinor-bench-tvr.dat").string();
        WriteLargeStoreFile(file, 100000);
        return file;
    }();
    for (auto _ : state) {
        Store store;
        store.path = path;
        benchmark::DoNotOptimize(ReadStore(store));
        benchmark::DoNotOptimize(store.items.size());
    }
}
BENCHMARK(BM_ReadStore100k)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
