#pragma once
// Adding bookmarks from outside to the favorites: each link goes into the
// category named after its innermost folder, links outside any folder into
// "IE根目录"; an address already listed is not added again.

#include <functional>
#include <string>

#include "core/favorites/bookmark_tree.h"
#include "core/favorites/favorite_ops.h"

// Told each time a needed category could not be added (too many, or ids used
// up); the link then goes into the last category.
using CategoryRefused = std::function<void(AddCategoryResult)>;

struct WalkOutcome {
    int added = 0;     // favorites added to the store
    bool saved = true; // false when any of them, or a new category, missed the file
};

// Walks `root` (text already GBK) depth first in its order, adding categories
// and favorites through AddCategory and AddFavorite, each saved at once.
WalkOutcome ImportFavoritesFolder(Store& store, const BookmarkNode& root,
                                  const std::string& addedAt, const CategoryRefused& refused);
