#include <algorithm>
#include <bit>
#include <limits>

#include "core/favorites/favorite_search.h"
#include "core/text/gbk_text.h"
#include "core/text/pinyin_initials.h"

namespace {

// Titles are cut at their field's width and addresses too, so a part's
// offset always fits; the cap only guards the index against other callers.
constexpr std::size_t kPartCap = 0x3FFF;

// A byte with its high bit set starts a double-byte character, unless it
// is the text's last.
std::size_t CharSize(std::string_view text, std::size_t at) {
    return (static_cast<unsigned char>(text[at]) & 0x80) && at + 1 < text.size() ? 2 : 1;
}

bool IsLatin(unsigned char c) {
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

uint32_t InitialsAt(std::string_view text, std::size_t at) {
    return CharSize(text, at) == 2 ? PinyinInitials(text[at], text[at + 1]) : 0;
}

// Words are runs of Latin letters and digits or of Chinese characters; all
// else separates them.
enum class Kind { Latin, Chinese, Other };

Kind KindAt(std::string_view text, std::size_t at) {
    if (IsLatin(text[at]))
        return Kind::Latin;
    return InitialsAt(text, at) != 0 ? Kind::Chinese : Kind::Other;
}

void AppendLower(std::string& out, std::string_view text) {
    for (std::size_t at = 0; at < text.size();) {
        const std::size_t size = CharSize(text, at);
        const char c = text[at];
        out.push_back(size == 1 && c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c);
        if (size == 2)
            out.push_back(text[at + 1]);
        at += size;
    }
}

// A letter or digit per Latin letter or digit and per Chinese character of
// one initial; a character with several initials stands for itself. Empty
// for a title without Chinese characters.
void AppendInitials(std::string& out, std::string_view title) {
    bool chinese = false;
    for (std::size_t at = 0; at < title.size() && !chinese; at += CharSize(title, at))
        chinese = InitialsAt(title, at) != 0;
    if (!chinese)
        return;
    for (std::size_t at = 0; at < title.size(); at += CharSize(title, at)) {
        const uint32_t initials = InitialsAt(title, at);
        if (IsLatin(title[at]))
            AppendLower(out, title.substr(at, 1));
        else if (std::has_single_bit(initials))
            out.push_back(static_cast<char>('a' + std::countr_zero(initials)));
        else if (initials != 0)
            out.append(title.substr(at, 2));
    }
}

constexpr int kNoMatch = 3;
constexpr std::size_t kRecentKeys = 12;
constexpr int kOtherBit = 36;

// A bit per Latin letter (either case) and digit, one for all else.
int CharBit(char c) {
    if (c >= 'a' && c <= 'z')
        return c - 'a';
    if (c >= 'A' && c <= 'Z')
        return c - 'A';
    if (c >= '0' && c <= '9')
        return 26 + c - '0';
    return kOtherBit;
}

// The bits a key's first character may have to match the character at
// `at`: its own, and for a Chinese one the initials of its readings.
uint64_t CharBits(std::string_view text, std::size_t at) {
    return (uint64_t{1} << CharBit(text[at])) | InitialsAt(text, at);
}

// 0 when the match is at the start, 1 at a word's start, else 2.
int Tier(std::size_t at, Kind kind, Kind previous) {
    if (at == 0)
        return 0;
    return kind != Kind::Other && kind != previous ? 1 : 2;
}

bool IsAscii(std::string_view text) {
    return std::none_of(text.begin(), text.end(), [](char c) { return c & 0x80; });
}

int TitleTier(std::string_view title, std::string_view key) {
    std::size_t hit = title.find(key);
    if (hit == std::string_view::npos)
        return kNoMatch;
    if (hit == 0)
        return 0;
    // Most titles are plain ASCII: every byte is a character of its own.
    if (IsAscii(title)) {
        for (; hit != std::string_view::npos; hit = title.find(key, hit + 1))
            if (IsLatin(title[hit]) && !IsLatin(title[hit - 1]))
                return 1;
        return 2;
    }
    int best = kNoMatch;
    Kind previous = Kind::Other;
    for (std::size_t at = 0; at < title.size() && best > 1; at += CharSize(title, at)) {
        const Kind kind = KindAt(title, at);
        if (title.compare(at, key.size(), key) == 0)
            best = std::min(best, Tier(at, kind, previous));
        previous = kind;
    }
    return best;
}

// True when `key` (Latin letters and digits) matches the initials from `at`.
bool InitialsMatch(std::string_view initials, std::size_t at, std::string_view key) {
    for (const char k : key) {
        if (at >= initials.size())
            return false;
        const std::size_t size = CharSize(initials, at);
        if (size == 1 ? initials[at] != k
                      : k < 'a' || k > 'z' || !(InitialsAt(initials, at) & (1u << (k - 'a'))))
            return false;
        at += size;
    }
    return true;
}

// The initials stand for the title's Latin and Chinese characters one by
// one: whether the one of the `n`-th initial starts a word.
bool InitialStartsWord(std::string_view title, std::size_t n) {
    Kind previous = Kind::Other;
    for (std::size_t at = 0; at < title.size(); at += CharSize(title, at)) {
        const Kind kind = KindAt(title, at);
        if (kind != Kind::Other && n-- == 0)
            return kind != previous;
        previous = kind;
    }
    return false;
}

int InitialsTier(std::string_view title, std::string_view initials, std::string_view key) {
    int best = kNoMatch;
    // Without characters of several initials a plain search finds the places.
    if (IsAscii(initials)) {
        for (std::size_t hit = initials.find(key); hit != std::string_view::npos && best > 1;
             hit = initials.find(key, hit + 1))
            best = hit == 0 ? 0 : InitialStartsWord(title, hit) ? 1 : 2;
        return best;
    }
    std::size_t n = 0;
    for (std::size_t at = 0; at < initials.size() && best > 1; at += CharSize(initials, at), ++n)
        if (InitialsMatch(initials, at, key))
            best = std::min(best, at == 0 ? 0 : InitialStartsWord(title, n) ? 1 : 2);
    return best;
}

bool ContainsAt(std::string_view text, std::string_view key) {
    std::size_t at = 0;
    for (std::size_t hit = text.find(key); hit != std::string_view::npos;
         hit = text.find(key, at)) {
        while (at < hit)
            at += CharSize(text, at);
        if (at == hit)
            return true;
    }
    return false;
}

} // namespace

std::string SearchKey(std::string_view gbk) {
    std::string key;
    AppendLower(key, TrimmedBytes(gbk));
    return key;
}

void FavoriteIndex::Build(const std::vector<FavoriteItem>& items) {
    text_.clear();
    entries_.clear();
    recent_.clear();
    current_ = nullptr;
    lastFirst_.fill(-1);
    lastWordStart_.fill(-1);
    entries_.reserve(items.size());
    for (const FavoriteItem& item : items) {
        const std::string_view title = std::string_view(item.title).substr(0, kPartCap);
        const std::string_view url = std::string_view(item.url).substr(0, kPartCap);
        Entry entry{static_cast<uint32_t>(text_.size()), 0, 0};
        AppendLower(text_, title);
        text_.push_back('\0');
        entry.urlAt = static_cast<uint16_t>(text_.size() - entry.start);
        AppendLower(text_, url);
        text_.push_back('\0');
        entry.initialsAt = static_cast<uint16_t>(text_.size() - entry.start);
        AppendInitials(text_, title);
        NoteStarts(title, static_cast<long>(entries_.size()));
        entries_.push_back(entry);
    }
    text_.shrink_to_fit();
    entries_.shrink_to_fit();
}

void FavoriteIndex::NoteStarts(std::string_view title, long index) {
    // The title's start and its first Latin or Chinese character (where the
    // initials start) rank first; the start of every word second.
    uint64_t firsts = 0;
    uint64_t words = 0;
    bool initialsStart = true;
    Kind previous = Kind::Other;
    for (std::size_t at = 0; at < title.size(); at += CharSize(title, at)) {
        const Kind kind = KindAt(title, at);
        const uint64_t bits = CharBits(title, at);
        if (at == 0 || (kind != Kind::Other && initialsStart))
            firsts |= bits;
        if (kind != Kind::Other && kind != previous)
            words |= bits;
        initialsStart = initialsStart && kind == Kind::Other;
        previous = kind;
    }
    for (uint64_t bits = firsts; bits != 0; bits &= bits - 1)
        lastFirst_[std::countr_zero(bits)] = index;
    for (uint64_t bits = firsts | words; bits != 0; bits &= bits - 1)
        lastWordStart_[std::countr_zero(bits)] = index;
}

std::string_view FavoriteIndex::Part(std::size_t index, int part) const {
    const Entry& entry = entries_[index];
    const std::size_t end = index + 1 < entries_.size() ? entries_[index + 1].start : text_.size();
    const std::size_t from = entry.start + (part == 0   ? 0
                                            : part == 1 ? entry.urlAt
                                                        : entry.initialsAt);
    const std::size_t to = part == 0   ? entry.start + entry.urlAt - 1
                           : part == 1 ? entry.start + entry.initialsAt - 1
                                       : end;
    return std::string_view(text_).substr(from, to - from);
}

int FavoriteIndex::TierOf(std::size_t index, const Query& query) const {
    const std::string_view title = Part(index, 0);
    int tier = TitleTier(title, query.key);
    if (tier > 0 && query.initialsKey) {
        const std::string_view initials = Part(index, 2);
        if (!initials.empty())
            tier = std::min(tier, InitialsTier(title, initials, query.key));
    }
    if (tier == kNoMatch && ContainsAt(Part(index, 1), query.key))
        tier = 2;
    return tier;
}

void FavoriteIndex::Search(std::string_view text) {
    const std::string key = SearchKey(text);
    current_ = nullptr;
    if (key.empty())
        return;
    while (!recent_.empty() && !key.starts_with(recent_.back().key))
        recent_.pop_back();
    if (recent_.empty() || recent_.back().key != key) {
        Query query;
        query.key = key;
        query.initialsKey = std::all_of(key.begin(), key.end(), [](char c) { return IsLatin(c); });
        for (auto before = recent_.rbegin(); before != recent_.rend() && !query.parent; ++before)
            if (before->complete)
                query.parent = &*before;
        query.lastFirst = lastFirst_[CharBit(key[0])];
        query.lastWordStart = lastWordStart_[CharBit(key[0])];
        recent_.push_back(std::move(query));
    }
    if (recent_.size() > kRecentKeys) {
        // A search still drawing on the oldest finishes before it goes.
        for (Query& query : recent_)
            if (query.parent == &recent_.front())
                while (Step(query)) {
                }
        recent_.pop_front();
    }
    current_ = &recent_.back();
}

long FavoriteIndex::NextCandidate(Query& query) const {
    if (!query.parent)
        return query.cursor[0] < entries_.size() ? static_cast<long>(query.cursor[0]++) : -1;
    // Only the favorites whose title (or initials) a prefix of the key
    // starts, or starts a word of, can rank above the containing ones: they
    // come first, in file order, and the parent's other matches after them.
    const std::vector<int>* tiers = query.parent->tiers;
    const std::size_t* cursor = query.cursor;
    const bool first = cursor[0] < tiers[0].size();
    const bool word = cursor[1] < tiers[1].size();
    if (first || word) {
        const int from = first && (!word || tiers[0][cursor[0]] < tiers[1][cursor[1]]) ? 0 : 1;
        return tiers[from][query.cursor[from]++];
    }
    query.wordsDone = true;
    return query.cursor[2] < tiers[2].size() ? tiers[2][query.cursor[2]++] : -1;
}

bool FavoriteIndex::Exhausted(const Query& query) const {
    if (!query.parent)
        return query.cursor[0] >= entries_.size();
    for (int tier = 0; tier < kNoMatch; ++tier)
        if (query.cursor[tier] < query.parent->tiers[tier].size())
            return false;
    return true;
}

void FavoriteIndex::Place(Query& query, long before) {
    // The containing matches among the parent's first ones join their tier
    // once the scan of the parent's other matches has passed them.
    std::vector<int>& later = query.later;
    while (query.laterAt < later.size() && later[query.laterAt] < before)
        query.tiers[2].push_back(later[query.laterAt++]);
}

bool FavoriteIndex::Step(Query& query) const {
    if (query.complete)
        return false;
    const long index = NextCandidate(query);
    if (index >= 0) {
        query.position = index;
        const int tier = TierOf(static_cast<std::size_t>(index), query);
        if (tier == 2 && query.parent && !query.wordsDone) {
            query.later.push_back(static_cast<int>(index));
        } else {
            if (query.wordsDone)
                Place(query, index);
            if (tier != kNoMatch)
                query.tiers[tier].push_back(static_cast<int>(index));
        }
    }
    query.complete = index < 0 || Exhausted(query);
    if (query.complete) {
        Place(query, std::numeric_limits<long>::max());
        query.later = {};
        query.parent = nullptr;
    }
    return index >= 0;
}

std::size_t FavoriteIndex::Settled() const {
    if (!current_)
        return 0;
    const Query& query = *current_;
    // Each tier is found in file order, so a tier's matches so far are its
    // first ones; they are the list's once no favorite still to look at
    // could rank above them.
    const std::size_t first = query.tiers[0].size();
    const std::size_t word = first + query.tiers[1].size();
    const std::size_t all = word + query.tiers[2].size();
    if (query.complete)
        return all;
    if (query.parent)
        return query.wordsDone ? all : first;
    if (query.position >= query.lastWordStart)
        return all;
    return query.position >= query.lastFirst ? word : first;
}

std::size_t FavoriteIndex::Settle(std::size_t rows) {
    while (current_ && Settled() < rows && Step(*current_)) {
    }
    return Settled();
}

bool FavoriteIndex::Continue(std::size_t favorites) {
    for (std::size_t n = 0; current_ && n < favorites && Step(*current_); ++n) {
    }
    return Complete();
}

bool FavoriteIndex::Complete() const {
    return !current_ || current_->complete;
}

int FavoriteIndex::At(std::size_t n) const {
    for (const std::vector<int>& tier : current_->tiers) {
        if (n < tier.size())
            return tier[n];
        n -= tier.size();
    }
    return -1;
}

std::vector<int> FavoriteIndex::Find(std::string_view query) {
    Search(query);
    std::vector<int> found(Settle(entries_.size() + 1));
    for (std::size_t n = 0; n < found.size(); ++n)
        found[n] = At(n);
    return found;
}

std::size_t FavoriteIndex::MemoryBytes() const {
    std::size_t recent = 0;
    for (const Query& query : recent_) {
        recent += query.key.capacity();
        for (const std::vector<int>& tier : query.tiers)
            recent += tier.capacity() * sizeof(int);
        recent += query.later.capacity() * sizeof(int);
    }
    return text_.capacity() + entries_.capacity() * sizeof(Entry) + recent;
}
