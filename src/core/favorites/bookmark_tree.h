#pragma once
// Folders and links from outside the program (a folder of internet
// shortcuts, a browser's bookmarks, a bookmark file), in the order they were
// met. Text is UTF-8 as read, or GBK once converted for the store.

#include <cstdint>
#include <string>
#include <vector>

struct BookmarkNode {
    bool folder = false;
    std::string name;                   // a folder's name or a link's title
    std::string url;                    // links only
    int64_t addDate = 0;                // links only: seconds since 1970 (UTC); 0 when unknown
    std::vector<BookmarkNode> children; // folders only, in order

    static BookmarkNode Folder(std::string name) {
        BookmarkNode node;
        node.folder = true;
        node.name = std::move(name);
        return node;
    }
    static BookmarkNode Link(std::string title, std::string url, int64_t addDate = 0) {
        BookmarkNode node;
        node.name = std::move(title);
        node.url = std::move(url);
        node.addDate = addDate;
        return node;
    }
};

// Browsers keep times in microseconds: Firefox since 1970, the Chromium
// family since 1601. Seconds since 1970, or 0 for times before it.
constexpr int64_t SecondsFromFirefoxTime(int64_t microseconds) {
    return microseconds > 0 ? microseconds / 1000000 : 0;
}
constexpr int64_t SecondsFromChromiumTime(int64_t microseconds) {
    constexpr int64_t k1601To1970 = 11644473600;
    const int64_t seconds = microseconds / 1000000 - k1601To1970;
    return seconds > 0 ? seconds : 0;
}
