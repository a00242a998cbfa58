#pragma once
// Adding bookmarks from outside to the favorites: each link goes into the
// category named after its innermost folder, links outside any folder into
// "IE根目录"; an address already listed is not added again, and a link
// without an address is not a favorite.

#include <cstddef>
#include <memory>
#include <string>
#include <vector>

#include "core/favorites/bookmark_tree.h"
#include "core/favorites/favorite_ops.h"

struct WalkOutcome {
    int added = 0;     // favorites added to the store
    bool saved = true; // false when any of them, or a new category, missed the file
    int skipped = 0;   // links without an address (malformed or unreadable)
    // Favorites added to the last category because their own could not be
    // made (too many categories, or ids used up), why (the last refusal), and
    // that category's name (GBK): told once, when the walk is over.
    int misplaced = 0;
    AddCategoryResult refusal = AddCategoryResult::Added;
    std::string lastCategory;
};

// The walk over `root` (text already GBK), depth first in its order, in as
// many steps as the caller likes: categories and favorites are added as
// AddCategory and AddFavorite add them, and saved by the end of each step, so
// the store and its file agree after every step. The store may be changed
// between steps.
class FavoritesImport {
public:
    FavoritesImport(Store& store, BookmarkNode root, std::string addedAt);
    ~FavoritesImport();
    FavoritesImport(const FavoritesImport&) = delete;
    FavoritesImport& operator=(const FavoritesImport&) = delete;

    // Takes up to `links` more links; true once every link has been taken.
    bool Step(std::size_t links);
    const WalkOutcome& outcome() const;

private:
    struct State;
    std::unique_ptr<State> state_;
};

// The whole walk at once.
WalkOutcome ImportFavoritesFolder(Store& store, const BookmarkNode& root,
                                  const std::string& addedAt);
