#include "core/music/settings_rules.h"

#include <algorithm>

#include "core/text/gbk_text.h"

namespace {

// The bound leaves room for the field's terminator.
template <int Bound, std::size_t N> void CopyBounded(char (&field)[N], const std::string& text) {
    static_assert(Bound >= 0 && static_cast<std::size_t>(Bound) < N);
    CopyGbkBounded(field, text.c_str(), Bound);
}

int RecommendedTop(const PlayerSlot& slot,
                   const std::array<PlayerSlot, kPlayerSlotCount>& recommended) {
    const std::string url = FieldText(slot.url, sizeof slot.url);
    for (const PlayerSlot& candidate : recommended)
        if (FieldText(candidate.url, sizeof candidate.url) == url)
            return candidate.top;
    return kDefaultPlayerTop;
}

} // namespace

int CountQuickLinks(const Store& store) {
    int count = 0;
    while (count < kQuickLinkCount && store.quickLinks[count].url[0] != '\0')
        ++count;
    return count;
}

int CountPlayers(const StoreHeader& header) {
    int count = 0;
    while (count < kPlayerSlotCount && header.players[count].title[0] != '\0')
        ++count;
    return count;
}

std::string OpeningPlayerUrl(const StoreHeader& header) {
    const int slot = ChosenSlot(header.playerChoice);
    return slot < 0 ? std::string()
                    : FieldText(header.players[slot].url, sizeof header.players[slot].url);
}

TableEdit AddQuickLink(Store& store, int& count, const std::string& title, const std::string& url,
                       std::string& stored) {
    if (count >= kQuickLinkCount)
        return TableEdit::Full;
    if (title.empty() || url.empty())
        return TableEdit::Empty;
    QuickLink& link = store.quickLinks[count];
    CopyBounded<kQuickLinkTitleBytes>(link.title, TrimBytes(title));
    CopyBounded<kQuickLinkUrlBytes>(link.url, TrimBytes(url));
    stored = FieldText(link.title, sizeof link.title);
    ++count;
    return TableEdit::Done;
}

bool DeleteQuickLink(Store& store, int& count, int selected) {
    if (selected < 0 || selected >= count)
        return false;
    std::copy(store.quickLinks + selected + 1, store.quickLinks + count,
              store.quickLinks + selected);
    QuickLink& last = store.quickLinks[count - 1];
    last.title[0] = '\0';
    last.url[0] = '\0';
    --count;
    return true;
}

int PlayerSizeValue(const std::string& text, int largest) {
    const std::string digits = TrimBytes(text);
    // Pasted text is not filtered: anything but a plain decimal number counts
    // as blank, and a long one is above any size.
    if (digits.empty() || digits.size() > 9 ||
        !std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return largest;
    return std::min(std::stoi(digits), largest);
}

PlayerEdit AddOrUpdatePlayer(StoreHeader& header, int& count, const PlayerEntry& entry,
                             const std::array<PlayerSlot, kPlayerSlotCount>& recommended) {
    PlayerEdit edit;
    const std::string url = TrimBytes(entry.url);
    // A player without an address would stand in this list but not in the
    // music page's, and the two lists would name different slots.
    if (entry.title.empty() || url.empty())
        return edit;
    const int width = PlayerSizeValue(entry.width, kDefaultPlayerWidth);
    const int height = PlayerSizeValue(entry.height, kDefaultPlayerHeight);
    for (int i = 0; i < count && edit.slot < 0; ++i)
        if (PlayerUrl(header.players[i]) == url)
            edit.slot = i;
    if (edit.slot < 0 && count >= kPlayerSlotCount) {
        edit.result = TableEdit::Full;
    } else {
        edit.added = edit.slot < 0;
        if (edit.added) {
            edit.slot = count++;
            CopyBounded<kPlayerUrlBytes>(header.players[edit.slot].url, entry.url);
        }
        PlayerSlot& slot = header.players[edit.slot];
        CopyBounded<kPlayerTitleBytes>(slot.title, entry.title);
        slot.width = width;
        slot.height = height;
        const std::string title = PlayerTitle(slot);
        edit.listed = edit.added ? TrimBytes(title) : title;
        edit.result = TableEdit::Done;
    }
    PlayerSlot& last = header.players[count - 1];
    last.top = RecommendedTop(last, recommended);
    return edit;
}

PlayerDeletion DeletePlayer(StoreHeader& header, int& count, int selected) {
    PlayerDeletion deletion;
    if (selected < 0 || selected >= count)
        return deletion;
    std::copy(header.players + selected + 1, header.players + count, header.players + selected);
    PlayerSlot& freed = header.players[count - 1];
    freed = PlayerSlot{};
    freed.top = kDefaultPlayerTop;
    --count;
    deletion.deleted = true;
    if (count > 0 && header.playerChoice == 0) {
        header.playerChoice = 1;
        deletion.play = 0;
    } else if (count == 0) {
        header.playerChoice = 0;
        deletion.blank = true;
    }
    return deletion;
}

ClosingChoice ChooseAtClose(StoreHeader& header, int count, const std::string& openingUrl) {
    ClosingChoice choice;
    for (int i = 0; i < count; ++i)
        if (FieldText(header.players[i].url, sizeof header.players[i].url) == openingUrl)
            choice.select = i;
    if (choice.select < 0 && count > 0) {
        choice.select = 0;
        choice.play = true;
    }
    if (choice.select >= 0)
        header.playerChoice = static_cast<int8_t>(choice.select + 1);
    return choice;
}
