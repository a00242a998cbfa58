#pragma once
// Finding a favorite by typing: its title, its address or the pinyin
// initials of its title, across all categories.

#include <array>
#include <cstdint>
#include <deque>
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

    // Makes `query` (GBK) the current search; blank text matches nothing.
    // The matches rank best first: the title starts with the text, then a
    // word of the title starts with it, then the title or the address
    // contains it; in file order within each. The initials of a Chinese
    // title take part as a title of their own: "bdyx" finds 百度一下, "qqyx"
    // finds QQ邮箱. A search looks at favorites only as far as the matches
    // asked for need (Settle), so that a keystroke costs about the rows in
    // view; Continue finds the rest.
    void Search(std::string_view query);
    // Finds matches until at least `rows` are in their final place (or all
    // are); returns how many are.
    std::size_t Settle(std::size_t rows);
    // Looks at up to `favorites` more; true once every match is found.
    bool Continue(std::size_t favorites);
    // How many matches stand in their final place so far.
    std::size_t Settled() const;
    bool Complete() const;
    // The n-th best match (0-based, below Settled) as an index into the
    // built items.
    int At(std::size_t n) const;
    // Every match of `query`, best first.
    std::vector<int> Find(std::string_view query);

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
    // One key's search. Its candidates are the favorites in file order, or
    // the matches of a complete search for a prefix of the key, which hold
    // all of its own: first those that rank above containing ones there
    // (only they can here), then the others.
    struct Query {
        std::string key;
        bool initialsKey = false;
        const Query* parent = nullptr;
        std::size_t cursor[3] = {};
        bool wordsDone = false;
        // The last favorite looked at, and the last that may start with the
        // key or have a word that does (-1 for none).
        long position = -1;
        long lastFirst = -1;
        long lastWordStart = -1;
        bool complete = false;
        std::vector<int> tiers[3];
        // Containing matches found among the parent's first ones, each
        // waiting for its place in file order.
        std::vector<int> later;
        std::size_t laterAt = 0;
    };
    void NoteStarts(std::string_view title, long index);
    std::string_view Part(std::size_t index, int part) const;
    int TierOf(std::size_t index, const Query& query) const;
    long NextCandidate(Query& query) const;
    bool Exhausted(const Query& query) const;
    static void Place(Query& query, long before);
    bool Step(Query& query) const;
    std::string text_;
    std::vector<Entry> entries_;
    // For each first character of a key (a bit per letter and digit, one
    // for all else): the last favorite whose title or initials start with
    // it, and the last with a word that does. A search past them knows that
    // nothing further can rank above what it found.
    std::array<long, 37> lastFirst_{};
    std::array<long, 37> lastWordStart_{};
    // The searches of the last keys, each a prefix of the next: a key typed
    // on looks only at the matches of a complete one before, and a key taken
    // back finds its search as it was left.
    std::deque<Query> recent_;
    Query* current_ = nullptr;
};
