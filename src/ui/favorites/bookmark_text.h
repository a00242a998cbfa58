#pragma once
// Bookmarks cross between the browsers' UTF-8 and the store's GBK here.

struct BookmarkNode;

// Every name and address to GBK; characters GBK lacks become a visible "?".
void BookmarksToGbk(BookmarkNode& node);
// Every name and address from GBK to UTF-8.
void BookmarksFromGbk(BookmarkNode& node);

// A favorites folder made here or copied from a Chinese Windows: each name
// and address is read as UTF-8 when it is that (a byte-order mark allowed),
// else as GBK. An address that is neither becomes empty, so that the import
// skips it; a name keeps a "?" for each byte it cannot read.
void ShortcutsToGbk(BookmarkNode& node);
