// The music page: the user's players in a list, the chosen one in the pane.
#include <QComboBox>
#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <functional>

#include "core/music/music_layout.h"
#include "ui/music/Tsetting_form.h"
#include "ui/shell/TCppWebBrowser.h"
#include "ui/shell/TForm1.h"
#include "ui/shell/app_start.h"
#include "ui/skin/suiThemeManager.h"
#include "ui/skin/suiURLLabel.h"
#include "ui/text/caption_name.h"
#include "ui/text/gbk_codec.h"

namespace {

const QColor kPageColor(246, 249, 253);

// Runs `entered` whenever the watched control takes the focus.
class FocusWatcher : public QObject {
public:
    FocusWatcher(QObject* parent, std::function<void()> entered)
        : QObject(parent), entered_(std::move(entered)) {}
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::FocusIn)
            entered_();
        return false;
    }

private:
    std::function<void()> entered_;
};

// A borderless read-only strip in the page's colour, lying over the pane.
QLineEdit* Strip(QWidget* page, const char* name, QSize size, bool enabled) {
    auto* strip = new QLineEdit(page);
    strip->setObjectName(name);
    strip->setFrame(false);
    strip->setReadOnly(true);
    strip->setAccessibleName(QStringLiteral("播放器边框"));
    strip->setEnabled(enabled);
    strip->resize(size);
    strip->setStyleSheet(
        QString("QLineEdit { background: %1; border: none; }").arg(kPageColor.name()));
    return strip;
}

// One even colour, so the strips over the pane's edges blend into the page.
QPixmap PageBackground() {
    QPixmap picture(16, 16);
    picture.fill(kPageColor);
    return picture;
}

} // namespace

// The strips are made after the pane so that they lie in front of it.
void TForm1::BuildMusicPage() {
    QWidget* page = suiTabSheet2;
    // A player the user has chosen may start playing without a further click.
    CppWebBrowser3->AllowPlaybackWithoutGesture();
    up = Strip(page, "up", {1006, 20}, true);
    up->setCursor(Qt::ArrowCursor);
    up->installEventFilter(new FocusWatcher(up, [this] { upEnter(); }));
    left = Strip(page, "left", {20, 574}, false);
    right = Strip(page, "right", {20, 574}, false);
    bottom = Strip(page, "bottom", {1024, 20}, false);

    player_caption = new QLabel(QStringLiteral("选择播放器：   "), page);
    player_caption->setObjectName("player_caption");
    player_caption->adjustSize();
    player_caption->move(player_caption->x(), 12);
    music_cbox = new QComboBox(page);
    music_cbox->setObjectName("music_cbox");
    music_cbox->setEditable(false);
    music_cbox->setMaxVisibleItems(5);
    music_cbox->setGeometry(0, 8, 145, 22);
    NameAfterCaption(music_cbox, player_caption);
    connect(music_cbox, &QComboBox::activated, this, &TForm1::music_cboxChange);
    suiThemeManager1->addControl(music_cbox);
    auto* setting = new suiURLLabel(page);
    music_setting = setting;
    music_setting->setObjectName("music_setting");
    music_setting->setText(QStringLiteral("设置  "));
    music_setting->adjustSize();
    music_setting->move(0, 12);
    connect(setting, &suiURLLabel::clicked, this, &TForm1::music_settingClick);

    Edit7 = new QLabel(page);
    Edit7->setObjectName("Edit7");
    // A label paints no background of its own: the page shows through.
    Edit7->setFixedSize(500, 20);
    Edit7->hide();

    bg_img = new QLabel(page);
    bg_img->setObjectName("bg_img");
    bg_img->setScaledContents(true);
    bg_img->setPixmap(PageBackground());
    bg_img->lower();
    connect(CppWebBrowser3, &TCppWebBrowser::DocumentComplete, this,
            &TForm1::CppWebBrowser3DocumentComplete);
}

// Also run after the data file is read again and after the product site's
// settings are applied; selecting from here never plays anything.
void TForm1::RefreshPlayerList() {
    music_cbox->clear();
    for (const std::string& title : ListedPlayerTitles(store.header.players))
        music_cbox->addItem(FromGbk(title));
    music_cbox->setCurrentIndex(ListedChoice(store.header.playerChoice, music_cbox->count()));
}

void TForm1::MusicPageEntry() {
    // Once a player page has loaded, coming back leaves it playing.
    if (playerPageLoaded)
        return;
    const MusicPageEntrySteps steps =
        EnterMusicPage(music_cbox->count(), store.header.playerChoice);
    if (steps.askForPlayers) {
        ShowMsgDlg("您还没有添加播放器，请在[音乐设置]中添加播放器！");
        music_settingClick();
        return;
    }
    if (steps.select >= 0)
        music_cbox->setCurrentIndex(steps.select);
    store.header.playerChoice = static_cast<int8_t>(steps.playerChoice);
    PlayPlayerSlot(steps.slot);
}

// The user's choice in the list; code that selects an entry never gets here.
void TForm1::music_cboxChange() {
    const int i = music_cbox->currentIndex();
    if (i < 0 || i >= kPlayerSlotCount)
        return;
    PlayPlayerSlot(i);
    store.header.playerChoice = static_cast<int8_t>(i + 1);
    // Only the size follows at once; place and strips wait for the next layout pass.
    const PaneSize pane = PlayerPaneSize(store.header.players[i]);
    CppWebBrowser3->resize(pane.width, pane.height);
    mok_label->hide();
    Button1->setFocus();
}

// Player addresses come from the data file and the product site: only web
// addresses are loaded, anything else leaves the pane as it is.
void TForm1::PlayPlayerSlot(int slot) {
    if (slot < 0 || slot >= kPlayerSlotCount)
        return;
    const std::string address = PlayableAddress(store.header.players[slot]);
    if (address.empty())
        return;
    // A player plays at once, also from the tray: it never waits for the window.
    TCppWebBrowser::StartEngine();
    CppWebBrowser3->Navigate(FromGbk(address));
}

void TForm1::upEnter() {
    CppWebBrowser3->setFocus();
}

void TForm1::music_settingClick() {
    AfterOtherWindows([] {
        if (setting_form)
            setting_form->ShowPlayers();
    });
}

void TForm1::CppWebBrowser3DocumentComplete(const QString& url) {
    // A document that script cannot reach reads as an empty mode and is
    // left alone by the style write.
    QPointer<TCppWebBrowser> pane = CppWebBrowser3;
    CppWebBrowser3->ReadDocumentProperty("compatMode", [pane](const QString& mode) {
        if (pane)
            pane->SetElementStyle(ScrollingElement(mode.toStdString()), "overflow", "hidden");
    });
    if (url != "about:blank")
        playerPageLoaded = true;
    Edit7->show();
}
