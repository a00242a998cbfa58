#pragma once
// Finding a favorite by typing: its title, its address or the pinyin
// initials of its title, across all categories.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/store/store.h"

// The typed text as the index compares it: trimmed, Latin letters in lower
// case (GBK-aware: a trail byte is never changed).
std::string SearchKey(std::string_view gbk);

class FavoriteIndex {
public:
    // Indexes the titles and addresses of `items` as they are now; a change
    // to the favorites needs a new Build.
    void Build(const std::vector<FavoriteItem>& items);

    // Indexes into the built items of those matching `query` (GBK), best
    // first: the title starts with it, then a word of the title starts with
    // it, then the title or the address contains it; in file order within
    // each. The initials of a Chinese title take part as a title of their
    // own: "bdyx" finds 百度一下, "qqyx" finds QQ邮箱. Nothing for blank text.
    std::vector<int> Find(std::string_view query) const;

    // Bytes the index holds, the recent keys' matches included.
    std::size_t MemoryBytes() const;

private:
    // One favorite: its title, NUL, address, NUL and initials in text_, all
    // lower case; the initials hold a letter per character of one reading's
    // initial and the character itself for one with several.
    struct Entry {
        uint32_t start;
        uint16_t urlAt;
        uint16_t initialsAt;
    };
    std::string_view Part(std::size_t index, int part) const;
    std::string text_;
    std::vector<Entry> entries_;
    // The matches (in file order) of the last keys, each a prefix of the
    // next: a key typed on searches only the matches of the one before.
    struct Recent {
        std::string key;
        std::vector<int> matches;
    };
    mutable std::vector<Recent> recent_;
};
