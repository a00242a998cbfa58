#pragma once
// Bookmarks are read, parsed and turned into the store's GBK off the window
// thread: a browser's export can hold a hundred thousand links.

#include <QString>
#include <string>
#include <vector>

#include "core/favorites/bookmark_tree.h"

struct LoadedBookmarks {
    bool found = true; // false: no source of favorites exists
    BookmarkNode root = BookmarkNode::Folder("");
    std::vector<std::string> unreadable; // sources that exist but could not be read
    // A bookmark file larger than what is read at once: its size and the
    // part read (cut at a line's end); both 0 when it was read whole.
    qint64 fileSize = 0;
    qint64 readSize = 0;
};

// A bookmark file is held whole in memory while it is read: no browser
// writes one this large, even with an icon beside every link.
constexpr qint64 kBookmarkFileBound = qint64(1) << 30;
// A bookmark file (UTF-8) as GBK bookmarks; past `bound` bytes it is cut.
LoadedBookmarks LoadBookmarkFile(const QString& path, qint64 bound = kBookmarkFileBound);
// The user's browser favorites as GBK bookmarks.
LoadedBookmarks LoadBrowserFavorites();
