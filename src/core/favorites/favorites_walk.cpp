#include <cstring>
#include <unordered_set>

#include "core/favorites/favorites_walk.h"
#include "core/text/gbk_text.h"

namespace {

const char kRootCategory[] = "IE\xB8\xF9\xC4\xBF\xC2\xBC"; // IE根目录
constexpr int kCategoryNameBound = sizeof(CategoryEntry::name) - 1;
constexpr int kUrlBound = sizeof(FavoriteRecord::url) - 1;

class Walk {
public:
    Walk(Store& store, const std::string& addedAt, const CategoryRefused& refused)
        : store_(store), addedAt_(addedAt), refused_(refused) {
        for (const FavoriteItem& item : store.items)
            listed_.insert(TrimBytes(item.url));
    }

    void Folder(const BookmarkNode& folder, bool root) {
        for (const BookmarkNode& child : folder.children) {
            if (child.folder)
                Folder(child, false);
            else
                Link(root ? std::string() : folder.name, child);
        }
    }

    WalkOutcome outcome() const { return outcome_; }

private:
    // The row of the category named as it will be stored, so that a long
    // name finds the category it created the first time.
    int CategoryRow(const std::string& folderName) {
        std::string name = CutGbk(TrimBytes(folderName), kCategoryNameBound);
        if (name.empty())
            name = kRootCategory;
        const int rows = store_.header.categoryCount;
        for (int row = 0; row < rows; ++row)
            if (std::strncmp(store_.categories[row].name, name.c_str(),
                             sizeof store_.categories[row].name) == 0)
                return row;
        const AddCategoryResult result = AddCategory(store_, name);
        if (result == AddCategoryResult::NotSaved)
            outcome_.saved = false;
        else if (result != AddCategoryResult::Added && refused_)
            refused_(result);
        return store_.header.categoryCount - 1;
    }

    void Link(const std::string& folderName, const BookmarkNode& link) {
        const int row = CategoryRow(folderName);
        const std::string url = CutGbk(TrimBytes(link.url), kUrlBound);
        if (listed_.count(url) != 0)
            return;
        const std::size_t before = store_.items.size();
        if (AddFavorite(store_, row, url, link.name, addedAt_) != 0)
            outcome_.saved = false;
        if (store_.items.size() == before)
            return;
        listed_.insert(TrimBytes(store_.items.back().url));
        ++outcome_.added;
    }

    Store& store_;
    const std::string& addedAt_;
    const CategoryRefused& refused_;
    std::unordered_set<std::string> listed_;
    WalkOutcome outcome_;
};

} // namespace

WalkOutcome ImportFavoritesFolder(Store& store, const BookmarkNode& root,
                                  const std::string& addedAt, const CategoryRefused& refused) {
    Walk walk(store, addedAt, refused);
    walk.Folder(root, true);
    return walk.outcome();
}
