#pragma once
// Where the music page's controls go: the player pane, centred and sized for
// the current player, and the four strips that mask its edges.

#include "core/music/player_tables.h"
#include "core/shell/layout_rules.h"

namespace design {
inline constexpr int kSideStripWidth = 20;
inline constexpr int kBottomStripHeight = 20;
} // namespace design

// Coordinates inside the music page.
struct MusicLayout {
    LayoutRect CppWebBrowser3;
    LayoutRect up;
    LayoutRect left;
    LayoutRect right;
    LayoutRect bottom;
    LayoutPoint Edit7;
    int musicCboxLeft = 0;
    int playerCaptionLeft = 0;
    int musicSettingLeft = 0;
    LayoutRect bg_img;
    LayoutRect CppWebBrowser2; // only its size is set
};

// The rules in their order, for a frame `frameWidth` wide whose music page
// stands at `page` inside the page control; playerCaptionWidth is the
// caption's own width.
MusicLayout LayOutMusicPage(int frameWidth, const LayoutRect& page, int playerChoice,
                            const PlayerTable& players, int playerCaptionWidth);

// The pane's size for a player; sizes are kept within what a screen can show,
// so that no value from a file can make the arithmetic overflow.
struct PaneSize {
    int width = 0;
    int height = 0;
    int top = 0; // the height of the top strip
};
PaneSize PlayerPaneSize(const PlayerSlot& slot);
