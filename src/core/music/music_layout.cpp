#include "core/music/music_layout.h"

#include <algorithm>

namespace {

// Far more than any screen; small enough that sums of a few stay in range.
constexpr int kLargestSize = 1 << 16;

int Bounded(int value) {
    return std::clamp(value, 0, kLargestSize);
}

} // namespace

PaneSize PlayerPaneSize(const PlayerSlot& slot) {
    return {Bounded(slot.width), Bounded(slot.height), Bounded(slot.top)};
}

MusicLayout LayOutMusicPage(int frameWidth, const LayoutRect& page, int playerChoice,
                            const PlayerTable& players, int playerCaptionWidth) {
    using namespace design;
    MusicLayout out;
    LayoutRect& pane = out.CppWebBrowser3;
    pane.top = page.top + 40;
    const int slot = ChosenSlot(playerChoice);
    const PaneSize size = slot >= 0 ? PlayerPaneSize(players[slot]) : PaneSize{1000, 560, 20};
    pane.width = size.width;
    pane.height = size.height;
    pane.left = std::max(0, (frameWidth - pane.width) / 2);

    out.up = {pane.left - 4, pane.top - 16, pane.width + 6, size.top};
    out.left = {pane.left - 16, out.up.top, kSideStripWidth, pane.height + 14};
    out.right = {pane.left + pane.width - 12, out.up.top, kSideStripWidth, pane.height + 14};
    out.bottom = {out.left.left, pane.top + pane.height - 2,
                  out.right.left + out.right.width - out.left.left, kBottomStripHeight};
    out.Edit7 = {40, page.height - 40};
    out.musicCboxLeft = page.width - 220;
    out.playerCaptionLeft = out.musicCboxLeft - playerCaptionWidth + 2;
    out.musicSettingLeft = page.width - 60;
    out.bg_img = {0, 0, page.width, page.height};
    out.CppWebBrowser2 = {0, 0, 1, 1};
    return out;
}
