#include "core/store/store_writes.h"

#include <cstring>

#include "core/store/store.h"

bool StoreUpdate::WriteFixedBlock(const Store& store, bool withQuickLinks) {
    const std::string block = FixedBlockBytes(store);
    return WriteAt(0, block.data(), withQuickLinks ? block.size() : kQuickLinkOffset);
}

std::string FixedBlockBytes(const Store& store) {
    std::string block(static_cast<std::size_t>(kFixedBlockSize), '\0');
    std::memcpy(block.data(), &store.header, sizeof store.header);
    std::memcpy(block.data() + kCategoryTableOffset, store.categories, sizeof store.categories);
    std::memcpy(block.data() + kQuickLinkOffset, store.quickLinks, sizeof store.quickLinks);
    return block;
}
