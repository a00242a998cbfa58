#pragma once
// The bookmark file every browser reads and writes
// (<!DOCTYPE NETSCAPE-Bookmark-file-1>), in UTF-8.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "core/favorites/bookmark_tree.h"

// True when the text begins (after a byte-order mark and blanks) with the
// bookmark file's doctype.
bool IsNetscapeBookmarkFile(const std::string& text);

// The folders and links of a bookmark file (UTF-8 text), in file order.
// Folders nested deeper than a sane limit are merged into their ancestor. A
// link whose address is missing or broken (its quote never closes) is kept
// with an empty address.
BookmarkNode ReadNetscapeBookmarks(std::string_view text);

// The bookmark file for a tree whose text is UTF-8: one <H3> folder per
// child folder of the root, text and attributes escaped.
std::string WriteNetscapeBookmarks(const BookmarkNode& root);

// The categories and live favorites of the data file at `dataFile` as a tree
// of one folder per category (GBK text); none when the file cannot be read.
std::optional<BookmarkNode> DataFileBookmarks(const std::string& dataFile);

// The stored "added at" text (year/month/day hour:minute:second, with "/",
// "-" or "." between the date's parts), read as local time; 0 when it does
// not parse.
int64_t AddedAtSeconds(const std::string& addedAt);
