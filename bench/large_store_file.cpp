#include <cstdio>
#include <cstring>

#include "core/store/store.h"
#include "core/store/store_writes.h"
#include "large_store_file.h"

void WriteLargeStoreFile(const std::string& path, int records) {
    Store store;
    store.path = path;
    std::memcpy(store.header.magic, "tvrV1.0", 8);
    store.header.categoryCount = 20;
    store.header.recordCount = records;
    store.header.favoriteCount = records;
    store.header.playerChoice = 1;
    for (int row = 0; row < 20; ++row) {
        std::snprintf(store.categories[row].name, sizeof store.categories[row].name, "c%d", row);
        store.categories[row].id = static_cast<int8_t>(row);
    }
    std::FILE* file = std::fopen(path.c_str(), "wb");
    const std::string block = FixedBlockBytes(store);
    std::fwrite(block.data(), block.size(), 1, file);
    for (int i = 0; i < records; ++i) {
        FavoriteRecord record{};
        std::snprintf(record.url, sizeof record.url, "http://www.site%d.example/path/", i);
        std::snprintf(record.title, sizeof record.title, "Favorite number %d", i);
        record.categoryId = static_cast<int8_t>(i % 20);
        record.recordIndex = i;
        std::fwrite(&record, sizeof record, 1, file);
    }
    std::fclose(file);
}
