// Placing the music page's controls for the current player.
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>

#include "core/music/music_layout.h"
#include "ui/shell/TCppWebBrowser.h"
#include "ui/shell/TForm1.h"
#include "ui/skin/suiPageControl.h"

namespace {

void Place(QWidget* control, const LayoutRect& r) {
    control->setGeometry(r.left, r.top, r.width, r.height);
}

} // namespace

// All sheets share one place in the page control; the shown one has the
// current size, the music sheet may not have followed yet.
void TForm1::MusicPageLayout() {
    const QWidget* sheet = suiPageControl1->currentWidget();
    const QPoint origin = sheet->mapTo(suiPageControl1, QPoint(0, 0));
    const LayoutRect page{origin.x(), origin.y(), sheet->width(), sheet->height()};
    const MusicLayout l = LayOutMusicPage(Client()->width(), page, store.header.playerChoice,
                                          store.header.players, player_caption->width());
    CppWebBrowser2->resize(l.CppWebBrowser2.width, l.CppWebBrowser2.height);
    Place(CppWebBrowser3, l.CppWebBrowser3);
    Place(up, l.up);
    Place(left, l.left);
    Place(right, l.right);
    Place(bottom, l.bottom);
    Edit7->move(l.Edit7.left, l.Edit7.top);
    music_cbox->move(l.musicCboxLeft, music_cbox->y());
    player_caption->move(l.playerCaptionLeft, player_caption->y());
    music_setting->move(l.musicSettingLeft, music_setting->y());
    Place(bg_img, l.bg_img);
}
