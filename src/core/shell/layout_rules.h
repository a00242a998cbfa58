#pragma once
// Where the main window's controls go for a given frame size. Coordinates are
// those of each control's parent as the window resource has it: the frame for
// the page control (from its top edge, title bar included, and from inside its
// left border), the window for the status line, a tab sheet for the page
// contents, `setting_panel` for the group boxes.

struct LayoutRect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    bool operator==(const LayoutRect&) const = default;
};

struct LayoutPoint {
    int left = 0;
    int top = 0;
    bool operator==(const LayoutPoint&) const = default;
};

// The frame as drawn: its outer size, and the border its skin draws on the
// left, the right and the bottom; the title bar takes the top.
struct FrameSize {
    int width = 0;
    int height = 0;
    int border = 0;
};

// A tab sheet's place inside the page control; all four sheets share it.
struct SheetArea {
    int left = 0;
    int width = 0;
    int height = 0;
};

// The design sizes the rules read and never set.
namespace design {
inline constexpr LayoutRect kListBox{24, 16, 161, 545};
inline constexpr int kScrollBoxTop = 16;
// The search field stands above the favorite rows, which start below it.
inline constexpr int kSearchEditHeight = 22, kSearchEditGap = 6;
inline constexpr int kDelCatButtonWidth = 100, kDelCatButtonHeight = 20;
inline constexpr int kUpImgBtnWidth = 18;
inline constexpr int kDelFavButtonWidth = 112;
inline constexpr int kSelectAllCheckBoxWidth = 69;
inline constexpr int kSettingPanelWidth = 337;
inline constexpr int kAddGroupBoxWidth = 321;
inline constexpr LayoutRect kSetGroupBox{8, 272, 321, 257};
inline constexpr int kLockBtnWidth = 25;
} // namespace design

struct MainWindowLayout {
    int button1Height = 0;
    LayoutRect suiPageControl1;
    // Only the lefts: the tops of the tab-strip buttons belong to the skin.
    int ieBtnLeft = 0;
    int freshBtnLeft = 0;
    int lockBtnLeft = 0;
    int skinBtnLeft = 0;
    LayoutPoint edit2;
    LayoutRect CppWebBrowser1;
    LayoutRect mineWebBrowser;
    // The favorites page.
    LayoutRect ListBox;
    LayoutRect delCatButton;
    LayoutPoint upImgBtn;
    LayoutPoint downImgBtn;
    LayoutRect searchEdit;
    LayoutRect ScrollBox;
    LayoutPoint fav_num_label;
    LayoutPoint delFavButton;
    LayoutPoint selectAllCheckBox;
    LayoutRect setting_panel;
    LayoutPoint setGroupBox;
};

// The rules in their order, for a frame whose tab sheets currently stand at `sheet`.
MainWindowLayout LayOutMainWindow(FrameSize frame, SheetArea sheet);
