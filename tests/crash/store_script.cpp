#include "crash/store_script.h"

#include <cstdio>
#include <cstring>

#include "core/favorites/favorite_ops.h"
#include "core/favorites/store_exchange.h"

namespace {

const char kNow[] = "2026/12/9 13:00:00";

std::string Field(const char* text, std::size_t width) {
    return std::string(text, strnlen(text, width));
}

} // namespace

int ApplyOp(Store& store, const std::string& token) {
    const int n = token.size() > 1 ? std::stoi(token.substr(1)) : 0;
    const int rows = store.header.categoryCount;
    switch (token[0]) {
    case 'a':
        return AddFavorite(store, n % rows, "site" + std::to_string(n) + ".example",
                           "title " + std::to_string(n), kNow);
    case 'c':
        return AddCategory(store, "cat " + std::to_string(n)) == AddCategoryResult::NotSaved ? -1
                                                                                             : 0;
    case 'd': {
        const int8_t id = CategoryIdAt(store, n % rows);
        bool any = false;
        for (FavoriteItem& item : store.items) {
            item.checked = item.categoryId == id && (item.recordIndex + n) % 2 == 0;
            any = any || item.checked;
        }
        return any ? DeleteCheckedFavorites(store, n % rows) : 0;
    }
    case 'x': {
        const DeleteCategoryResult result = DeleteCategory(store, n % rows);
        return result == DeleteCategoryResult::NotSaved ||
                       result == DeleteCategoryResult::FileUnavailable
                   ? -1
                   : 0;
    }
    case 'm':
        return MoveCategory(store, n % rows, n / 7 % 2).saved;
    case 'k':
        return ClearFavorites(store, "http://site.example/", kNow);
    case 'i': {
        const ImportOutcome outcome = ImportStoreFile(store, store.path + ".import");
        return outcome == ImportOutcome::Imported ? 0 : outcome == ImportOutcome::Restored ? 1 : -1;
    }
    case 's': {
        std::snprintf(store.header.lockPassword, sizeof store.header.lockPassword, "pw%d", n);
        store.header.openSitePageOnStart = n % 2;
        store.header.skinChoice = static_cast<int8_t>(n % 3);
        QuickLink& link = store.quickLinks[n % kQuickLinkCount];
        std::snprintf(link.title, sizeof link.title, "ql%d", n);
        std::snprintf(link.url, sizeof link.url, "http://ql%d.example/", n);
        return SaveStore(store, store.record, false);
    }
    }
    return 0;
}

Snapshot SnapshotOf(const Store& store) {
    Snapshot shot;
    for (int row = 0; row < store.header.categoryCount && row < kMaxCategories; ++row)
        shot.categories.push_back(Field(store.categories[row].name, 26) + "#" +
                                  std::to_string(store.categories[row].id));
    for (const FavoriteItem& item : store.items)
        shot.favorites.push_back(std::to_string(item.recordIndex) + "|" +
                                 std::to_string(item.categoryId) + "|" + item.url + "|" +
                                 item.title);
    const StoreHeader& h = store.header;
    shot.settings =
        Field(h.lockPassword, sizeof h.lockPassword) + "|" + std::to_string(h.openSitePageOnStart) +
        std::to_string(h.openMinePageOnStart) + std::to_string(h.skinChoice) +
        std::to_string(h.playerChoice) + "|" +
        std::string(reinterpret_cast<const char*>(h.players), sizeof h.players) +
        std::string(reinterpret_cast<const char*>(store.quickLinks), sizeof store.quickLinks);
    return shot;
}
