#include "core/shell/layout_rules.h"

MainWindowLayout LayOutMainWindow(FrameSize frame, SheetArea sheet) {
    using namespace design;
    // The pages fill the frame between its borders, so the width the rules
    // share out is the one inside them.
    const int W = frame.width - 2 * frame.border;
    const int H = frame.height;
    MainWindowLayout out;
    out.suiPageControl1 = {0, 26, W, H - 26 - frame.border};
    out.ieBtnLeft = W - 160;
    out.freshBtnLeft = out.suiPageControl1.left + 2;
    out.lockBtnLeft = out.suiPageControl1.width - kLockBtnWidth - 3;
    // The skin button's own width is not used: it keeps one lock-button
    // width of distance, as the window always had it.
    out.skinBtnLeft = out.lockBtnLeft - kLockBtnWidth;
    // The status line lies over the bottom of the pages, 22 pixels above the
    // frame's bottom edge, so it ends where the border begins.
    out.edit2 = {6, H - 22};
    out.CppWebBrowser1 = {sheet.left - 3, 0, sheet.width, sheet.height};
    out.mineWebBrowser = {sheet.left - 3, 0, sheet.width, sheet.height};

    out.ListBox = {12, kListBox.top, kListBox.width, sheet.height - 70};
    const LayoutRect& list = out.ListBox;
    const int R = list.left + list.width;
    const int buttonRow = list.top + list.height + 6;
    out.delCatButton = {R - kDelCatButtonWidth, buttonRow, kDelCatButtonWidth, kDelCatButtonHeight};
    out.upImgBtn = {list.left, buttonRow - 2};
    out.downImgBtn = {list.left + kUpImgBtnWidth + 2, buttonRow - 2};
    const int rowsWidth = W - R - kAddGroupBoxWidth - 36;
    out.searchEdit = {R + 8, kScrollBoxTop, rowsWidth, kSearchEditHeight};
    const int rowsTop = kScrollBoxTop + kSearchEditHeight + kSearchEditGap;
    out.ScrollBox = {R + 8, rowsTop, rowsWidth, list.top + list.height - rowsTop};
    out.fav_num_label = {out.ScrollBox.left, buttonRow + 4};
    const int R2 = R + out.ScrollBox.width + 8;
    out.delFavButton = {R2 - kDelFavButtonWidth, buttonRow};
    out.selectAllCheckBox = {R2 - kDelFavButtonWidth - kSelectAllCheckBoxWidth - 11, buttonRow};
    out.setting_panel = {W - kAddGroupBoxWidth - 20, 0, kSettingPanelWidth, sheet.height};
    out.setGroupBox = {kSetGroupBox.left, list.top + list.height - kSetGroupBox.height};
    return out;
}
