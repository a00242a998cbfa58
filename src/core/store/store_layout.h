#pragma once
// Byte layout of tvr.dat. The structs are the file's bytes exactly (packed,
// little-endian hosts only), so a read or write is a single block copy.

#include <cstddef>
#include <cstdint>

#pragma pack(push, 1)

struct PlayerSlot {
    char url[64];
    char title[16];
    int32_t width;
    int32_t height;
    int32_t top;
};

struct StoreHeader {
    char magic[8];
    uint8_t reserved1[8];
    int32_t favoriteCount;
    int32_t recordCount;
    int32_t categoryCount;
    uint8_t openSitePageOnStart;
    uint8_t openMinePageOnStart;
    int8_t playerChoice;
    int8_t skinChoice;
    char reserved2[64];
    char lockPassword[32];
    PlayerSlot players[5];
    char reserved3[32];
};

struct CategoryEntry {
    char name[26];
    int8_t id;
};

struct QuickLink {
    char title[16];
    char url[128];
};

struct FavoriteRecord {
    char url[256];
    char title[64];
    uint8_t reserved;
    int8_t categoryId;
    char addedAt[34];
    int32_t recordIndex;
    int32_t deleted;
};

#pragma pack(pop)

static_assert(sizeof(PlayerSlot) == 92);
static_assert(sizeof(StoreHeader) == 620);
static_assert(sizeof(CategoryEntry) == 27);
static_assert(sizeof(QuickLink) == 144);
static_assert(sizeof(FavoriteRecord) == 364);
static_assert(offsetof(StoreHeader, players) == 128);
static_assert(offsetof(FavoriteRecord, recordIndex) == 356);

constexpr int kMaxCategories = 20;
constexpr int kQuickLinkCount = 12;
constexpr int kCategoryIdCount = 50; // ids run 0..49
constexpr std::int64_t kCategoryTableOffset = 620;
constexpr std::int64_t kQuickLinkOffset = 1160;
constexpr std::int64_t kFixedBlockSize = 2888;
constexpr std::int64_t kRecordSize = 364;

constexpr std::int64_t RecordOffset(int32_t index) {
    return kFixedBlockSize + kRecordSize * index;
}
