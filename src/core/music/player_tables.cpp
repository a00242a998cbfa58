#include "core/music/player_tables.h"

#include <algorithm>
#include <cctype>

#include "core/shell/open_address.h"
#include "core/text/gbk_text.h"

namespace {

PlayerSlot Slot(const char* url, const char* title, int width, int height, int top) {
    PlayerSlot slot{};
    CopyField(slot.url, sizeof slot.url, url);
    CopyField(slot.title, sizeof slot.title, title);
    slot.width = width;
    slot.height = height;
    slot.top = top;
    return slot;
}

} // namespace

std::array<PlayerSlot, kPlayerSlotCount> BuiltInRecommendedPlayers() {
    // Titles are GBK bytes, as all text in the core.
    return {
        Slot("http://www.google.cn/16667639/html/player.html#loaded",
             "\xB9\xC8\xB8\xE8\xB2\xA5\xB7\xC5\xC6\xF7", 780, 516, 20), // 谷歌播放器
        Slot("http://music.sogou.com/player", "\xCB\xD1\xB9\xB7\xB2\xA5\xB7\xC5\xC6\xF7", 640, 544,
             20), // 搜狗播放器
        Slot("http://douban.fm/radio", "\xB6\xB9\xB0\xEA\xB5\xE7\xCC\xA8", 500, 520,
             20), // 豆瓣电台
        Slot("http://fm.renren.com/fm", "\xC8\xCB\xC8\xCB\xB5\xE7\xCC\xA8", 1000, 520,
             120), // 人人电台
        PlayerSlot{},
    };
}

std::string PlayerUrl(const PlayerSlot& slot) {
    return TrimBytes(FieldText(slot.url, sizeof slot.url));
}

std::string PlayerTitle(const PlayerSlot& slot) {
    return FieldText(slot.title, sizeof slot.title);
}

std::vector<std::string> ListedPlayerTitles(const PlayerTable& players) {
    std::vector<std::string> titles;
    for (const PlayerSlot& slot : players)
        if (!PlayerUrl(slot).empty())
            titles.push_back(PlayerTitle(slot));
    return titles;
}

int ListedChoice(int playerChoice, int itemCount) {
    return playerChoice >= 1 && playerChoice <= itemCount ? playerChoice - 1 : -1;
}

int ChosenSlot(int playerChoice) {
    return playerChoice >= 1 && playerChoice <= kPlayerSlotCount ? playerChoice - 1 : -1;
}

MusicPageEntrySteps EnterMusicPage(int itemCount, int playerChoice) {
    MusicPageEntrySteps steps;
    if (itemCount <= 0) {
        steps.askForPlayers = true;
        steps.playerChoice = playerChoice;
        return steps;
    }
    if (playerChoice <= 0) {
        steps.select = 0;
        steps.playerChoice = 1;
    } else {
        // A choice past the list's end keeps the selection it has.
        steps.select = ListedChoice(playerChoice, itemCount);
        steps.playerChoice = playerChoice;
    }
    steps.slot = ChosenSlot(steps.playerChoice);
    return steps;
}

std::string PlayableAddress(const PlayerSlot& slot) {
    const std::string url = PlayerUrl(slot);
    return JudgeBrowserAddress(url, "") == BrowserAddress::Web ? url : std::string();
}

const char* ScrollingElement(const std::string& compatMode) {
    std::string lower = compatMode;
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return lower == "css1compat" ? "documentElement" : "body";
}
