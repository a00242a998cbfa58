#pragma once
// Readers of the browsers' own bookmark stores, for ReadBrowserFavorites.

#include <QByteArray>
#include <QString>
#include <optional>

#include "core/favorites/bookmark_tree.h"

// The most a browser's store is read to: far above what a browser writes,
// far below what would fill memory.
constexpr std::size_t kBrowserStoreBound = std::size_t(256) << 20;

// Firefox's places.sqlite: its bookmark folders below the root (tags left
// out) as folders of the returned tree. Read from a copy taken with its
// write-ahead log, never in place, so a running Firefox is not disturbed.
// None when the copy cannot be taken or its tables cannot be read.
std::optional<BookmarkNode> ReadFirefoxPlaces(const QString& placesFile);

// A Chromium-family Bookmarks file: the bookmark bar, other and synced
// bookmarks as folders of the returned tree. None when the file is not JSON
// of the known version.
std::optional<BookmarkNode> ReadChromiumBookmarks(const QString& bookmarksFile);
// The same, from the file's bytes.
std::optional<BookmarkNode> ChromiumBookmarksFromJson(const QByteArray& json);
