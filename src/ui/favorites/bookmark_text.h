#pragma once
// Bookmarks cross between the browsers' UTF-8 and the store's GBK here.

struct BookmarkNode;

// Every name and address to GBK; characters GBK lacks become a visible "?".
void BookmarksToGbk(BookmarkNode& node);
// Every name and address from GBK to UTF-8.
void BookmarksFromGbk(BookmarkNode& node);
