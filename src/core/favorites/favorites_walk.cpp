#include <cstring>
#include <unordered_set>

#include "core/favorites/favorites_walk.h"
#include "core/text/gbk_text.h"

namespace {

const char kRootCategory[] = "IE\xB8\xF9\xC4\xBF\xC2\xBC"; // IE根目录
constexpr int kCategoryNameBound = sizeof(CategoryEntry::name) - 1;
constexpr int kUrlBound = sizeof(FavoriteRecord::url) - 1;

struct PendingLink {
    const std::string* folderName; // empty for links outside any folder
    const BookmarkNode* link;
};

void Flatten(const BookmarkNode& folder, const std::string& name, std::vector<PendingLink>& links) {
    for (const BookmarkNode& child : folder.children) {
        if (child.folder)
            Flatten(child, child.name, links);
        else
            links.push_back({&name, &child});
    }
}

} // namespace

struct FavoritesImport::State {
    State(Store& store, BookmarkNode root, std::string addedAt)
        : store(store), root(std::move(root)), addedAt(std::move(addedAt)) {
        Flatten(this->root, rootName, links);
        for (const FavoriteItem& item : store.items)
            listed.insert(TrimBytes(item.url));
    }

    Store& store;
    const BookmarkNode root;
    const std::string addedAt;
    const std::string rootName;
    std::vector<PendingLink> links;
    std::size_t next = 0;
    std::unordered_set<std::string> listed;
    WalkOutcome outcome;
    // Favorites listed but not yet written: written together at the end of
    // each step, so that a large import is not one write per link.
    std::vector<FavoriteRecord> unsaved;

    void Save() {
        if (SaveNewFavorites(store, unsaved) != 0)
            outcome.saved = false;
        unsaved.clear();
    }

    // The row of the category named as it will be stored, so that a long
    // name finds the category it created the first time; the last row when
    // it cannot be made, and then `misplaced` is true.
    int CategoryRow(const std::string& folderName, bool& misplaced) {
        std::string name = CutGbk(TrimBytes(folderName), kCategoryNameBound);
        if (name.empty())
            name = kRootCategory;
        const int rows = store.header.categoryCount;
        for (int row = 0; row < rows; ++row)
            if (std::strncmp(store.categories[row].name, name.c_str(),
                             sizeof store.categories[row].name) == 0)
                return row;
        // The header written with the category must not count records
        // that are not in the file yet.
        Save();
        const AddCategoryResult result = AddCategory(store, name);
        if (result == AddCategoryResult::NotSaved) {
            outcome.saved = false;
        } else if (result != AddCategoryResult::Added) {
            misplaced = true;
            outcome.refusal = result;
        }
        return store.header.categoryCount - 1;
    }

    void Link(const std::string& folderName, const BookmarkNode& link) {
        const std::string url = CutGbk(TrimBytes(link.url), kUrlBound);
        if (url.empty()) {
            ++outcome.skipped;
            return;
        }
        bool misplaced = false;
        const int row = CategoryRow(folderName, misplaced);
        if (listed.count(url) != 0)
            return;
        if (!ListNewFavorite(store, row, url, link.name, addedAt))
            return;
        unsaved.push_back(store.record);
        listed.insert(TrimBytes(store.items.back().url));
        ++outcome.added;
        if (misplaced) {
            ++outcome.misplaced;
            outcome.lastCategory = store.categories[row].name;
        }
    }
};

FavoritesImport::FavoritesImport(Store& store, BookmarkNode root, std::string addedAt)
    : state_(std::make_unique<State>(store, std::move(root), std::move(addedAt))) {}

FavoritesImport::~FavoritesImport() = default;

bool FavoritesImport::Step(std::size_t links) {
    State& s = *state_;
    for (; links > 0 && s.next < s.links.size(); --links, ++s.next)
        s.Link(*s.links[s.next].folderName, *s.links[s.next].link);
    s.Save();
    return s.next == s.links.size();
}

const WalkOutcome& FavoritesImport::outcome() const {
    return state_->outcome;
}

WalkOutcome ImportFavoritesFolder(Store& store, const BookmarkNode& root,
                                  const std::string& addedAt) {
    FavoritesImport walk(store, root, addedAt);
    walk.Step(static_cast<std::size_t>(-1));
    return walk.outcome();
}
