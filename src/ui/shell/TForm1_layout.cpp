// Placing the main window's controls whenever its size changes.
#include <QAbstractButton>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

#include "core/shell/layout_rules.h"
#include "ui/favorites/FavoriteRows.h"
#include "ui/shell/TCppWebBrowser.h"
#include "ui/shell/TForm1.h"
#include "ui/skin/suiForm.h"
#include "ui/skin/suiImageButton.h"
#include "ui/skin/suiPageControl.h"

namespace {

QRect ToQRect(const LayoutRect& r) {
    return QRect(r.left, r.top, r.width, r.height);
}

// From the frame's coordinates, title bar included, to its client area's.
QRect ToClient(const LayoutRect& r) {
    return ToQRect(r).translated(0, -suiForm::TitleHeight);
}

void MoveTo(QWidget* control, const LayoutPoint& p) {
    control->move(p.left, p.top);
}

void MoveLeft(QWidget* control, int left) {
    control->move(left, control->y());
}

} // namespace

// The rules take the frame as drawn; the page control lives in its client
// area, which starts at the title bar's height inside the border.
void TForm1::FormCanResize() {
    const FrameSize frame{suiForm1->width(), suiForm1->height(), suiForm::BorderWidth};
    // Rule 2 goes first: the sheets take their size from the page control,
    // and the rules after it read them. Only the shown sheet follows at once;
    // the others take the same place when shown, and then this runs again.
    suiPageControl1->setGeometry(ToClient(LayOutMainWindow(frame, {}).suiPageControl1));
    const QWidget* sheet = suiPageControl1->currentWidget();
    const QPoint sheetOrigin = sheet->mapTo(suiPageControl1, QPoint(0, 0));
    const MainWindowLayout l =
        LayOutMainWindow(frame, {sheetOrigin.x(), sheet->width(), sheet->height()});

    Button1->resize(Button1->width(), l.button1Height);
    MoveLeft(ie_btn, l.ieBtnLeft);
    MoveLeft(fresh_btn, l.freshBtnLeft);
    MoveLeft(lock_btn, l.lockBtnLeft);
    MoveLeft(skin_btn, l.skinBtnLeft);
    // The status line belongs to the window, whose origin is the frame's.
    MoveTo(Edit2, l.edit2);
    Edit2->raise();
    CppWebBrowser1->setGeometry(ToQRect(l.CppWebBrowser1));
    MusicPageLayout();
    mineWebBrowser->setGeometry(ToQRect(l.mineWebBrowser));

    ListBox->setGeometry(ToQRect(l.ListBox));
    delCatButton->setGeometry(ToQRect(l.delCatButton));
    MoveTo(upImgBtn, l.upImgBtn);
    MoveTo(downImgBtn, l.downImgBtn);
    favSearchEdit->setGeometry(ToQRect(l.searchEdit));
    ScrollBox->setGeometry(ToQRect(l.ScrollBox));
    MoveTo(fav_num_label, l.fav_num_label);
    MoveTo(delFavButton, l.delFavButton);
    MoveTo(selectAllCheckBox, l.selectAllCheckBox);
    setting_panel->setGeometry(ToQRect(l.setting_panel));
    MoveTo(setGroupBox, l.setGroupBox);
}
