// The settings window on the real main window: quick links that reach the
// tray, players that reach the music page, and the data file after each save.
#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QProcess>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QWebEnginePage>
#include <cstddef>
#include <cstring>
#include <functional>

#include "core/store/store_layout.h"
#include "support/browser_recorder.h"
#include "support/dialogs.h"
#include "support/temp_dir.h"
#include "support/waits.h"
#include "ui/main_window_fixture.h"
#include "ui/music/Tsetting_form.h"
#include "ui/shell/TCppWebBrowser.h"
#include "ui/shell/TForm3.h"
#include "ui/shell/app_start.h"
#include "ui/skin/suiForm.h"
#include "ui/skin/suiPageControl.h"
#include "ui/text/gbk_codec.h"

namespace {

const QString kKeptInMemory =
    "无法写入数据文件。这次更改仍保留在内存中，将在下次保存时写入数据文件。";

PlayerSlot Player(const QString& url, const QString& title, int width, int height, int top) {
    PlayerSlot slot{};
    qstrncpy(slot.url, url.toLatin1().constData(), sizeof slot.url);
    qstrncpy(slot.title, ToGbk(title).c_str(), sizeof slot.title);
    slot.width = width;
    slot.height = height;
    slot.top = top;
    return slot;
}

void Click(QWidget* control) {
    QTest::mouseClick(control, Qt::LeftButton);
}

// Key events carrying each character, Chinese ones included.
void KeyIn(QWidget* control, const QString& text) {
    for (const QChar c : text)
        QTest::sendKeyEvent(QTest::Click, control, Qt::Key_unknown, QString(c), Qt::NoModifier);
}

void Type(QLineEdit* edit, const QString& text) {
    edit->clear();
    KeyIn(edit, text);
}

void ClickLine(QListWidget* list, int row) {
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                      list->visualItemRect(list->item(row)).center());
}

// Chooses entry `index` of a drop-down list with the arrow keys, as a user does.
void Choose(QComboBox* list, int index) {
    list->setFocus();
    for (int i = list->currentIndex(); i < index; ++i)
        QTest::keyClick(list, Qt::Key_Down);
}

QStringList Lines(const QListWidget* list) {
    QStringList lines;
    for (int i = 0; i < list->count(); ++i)
        lines << list->item(i)->text();
    return lines;
}

class SettingsWindowTest : public MainWindowFixture {
protected:
    void SetUp() override {
        MainWindowFixture::SetUp();
        setting_form = new Tsetting_form;
    }
    void TearDown() override {
        setting_form->hide();
        MainWindowFixture::TearDown();
        delete setting_form;
        setting_form = nullptr;
    }
    Tsetting_form* S() const { return setting_form; }
    void Open(QWidget* sheet) {
        S()->setting_page->setCurrentWidget(sheet);
        S()->show();
        ASSERT_TRUE(WaitExposed(S()));
    }
    void CloseWindow() {
        Click(S()->suiButton2);
        ASSERT_FALSE(S()->isVisible());
    }
    void StartWithPlayers(std::initializer_list<PlayerSlot> players, int choice) {
        Start();
        form->close();
        form.reset();
        std::string bytes = ReadBytes(DataFile().toStdString());
        std::copy(players.begin(), players.end(),
                  reinterpret_cast<PlayerSlot*>(bytes.data() + offsetof(StoreHeader, players)));
        bytes[offsetof(StoreHeader, playerChoice)] = static_cast<char>(choice);
        WriteBytes(DataFile().toStdString(), bytes);
        Start();
    }
    // The file holds what memory holds: the header's players and choice,
    // and the quick-link slots.
    void ExpectSaved() {
        const std::string bytes = ReadBytes(DataFile().toStdString());
        ASSERT_GE(bytes.size(), std::size_t{2888});
        const StoreHeader& header = form->store.header;
        EXPECT_EQ(bytes.compare(offsetof(StoreHeader, players), sizeof header.players,
                                reinterpret_cast<const char*>(header.players),
                                sizeof header.players),
                  0);
        EXPECT_EQ(bytes[offsetof(StoreHeader, playerChoice)], header.playerChoice);
        EXPECT_EQ(bytes.compare(1160, sizeof form->store.quickLinks,
                                reinterpret_cast<const char*>(form->store.quickLinks),
                                sizeof form->store.quickLinks),
                  0);
    }
    void AddQuickLink(const QString& title, const QString& url) {
        Type(S()->title_edit, title);
        Type(S()->url_edit, url);
        Click(S()->addURL_button);
    }
    void AddPlayer(const QString& title, const QString& url, const QString& width = {},
                   const QString& height = {}) {
        Type(S()->m_title, title);
        Type(S()->m_url, url);
        Type(S()->width_edit, width);
        Type(S()->height_edit, height);
        Click(S()->m_addbtn);
    }
    TCppWebBrowser* Pane() const { return form->CppWebBrowser3; }
    void EnterMusicPage() { form->suiPageControl1->setCurrentWidget(form->suiTabSheet2); }
};

TEST_F(SettingsWindowTest, QuickLinksUpToTwelveReachTheTrayAndTheFile) {
    Start();
    // A favorite whose title is longer than a quick link's.
    form->suiPageControl1->setCurrentWidget(form->guanliTabSheet);
    Type(form->url_edit, "http://long.example/");
    Type(form->title_edit, "晨光电台音乐播放器大全");
    Click(form->addURL_button);

    Open(S()->quick_sheet);
    EXPECT_EQ(S()->suiForm1->caption(), "设 置");
    EXPECT_EQ(S()->size(), QSize(570, 440));
    EXPECT_EQ(S()->Label1->text(),
              QString("例如：%1  或  %2").arg(server->Url(""), server->Url("").mid(7)));
    EXPECT_EQ(S()->cal_cbox->placeholderText(), "请选择...");
    EXPECT_EQ(S()->cal_cbox->currentIndex(), -1);
    ASSERT_EQ(S()->cal_cbox->count(), 2);

    // Copied from the favorite: the first 7 characters, 14 of 15 bytes.
    Choose(S()->cal_cbox, 1);
    EXPECT_EQ(S()->title_edit->text(), "晨光电台音乐播");
    EXPECT_EQ(S()->url_edit->text(), "http://long.example/");
    // The edit counts bytes: one more double-byte character does not fit.
    KeyIn(S()->title_edit, "大x");
    EXPECT_EQ(S()->title_edit->text(), "晨光电台音乐播x");
    Click(S()->addURL_button);
    EXPECT_EQ(Lines(S()->ListBox), QStringList{"晨光电台音乐播x"});
    EXPECT_TRUE(S()->title_edit->text().isEmpty());
    ExpectSaved();

    const SeenDialog* empty = AnswerNextDialog("OK");
    AddQuickLink("", "http://x.example/");
    EXPECT_EQ(empty->text, "网址和标题不能为空！");

    AddQuickLink("bare", "www.example.test");
    AddQuickLink("blanks", "  http://example.test/  ");
    for (int n = 3; n < 11; ++n)
        AddQuickLink(QString("link%1").arg(n), QString("http://q%1.example/").arg(n));
    // Blanks only are not empty; stored trimmed they are.
    AddQuickLink("   ", "   ");
    ASSERT_EQ(S()->ListBox->count(), 12);
    EXPECT_STREQ(form->store.quickLinks[1].url, "www.example.test") << "stored as typed";
    EXPECT_STREQ(form->store.quickLinks[2].url, "http://example.test/");
    EXPECT_STREQ(form->store.quickLinks[11].url, "");
    ExpectSaved();

    const Store before = form->store;
    const SeenDialog* full = AnswerNextDialog("OK");
    AddQuickLink("more", "http://more.example/");
    EXPECT_EQ(full->text, "最多可添加12个网址，不能再添加！");
    EXPECT_EQ(S()->ListBox->count(), 12);
    EXPECT_EQ(std::memcmp(before.quickLinks, form->store.quickLinks, sizeof before.quickLinks), 0);
    EXPECT_EQ(S()->title_edit->text(), "more") << "nothing changed";

    CloseWindow();
    QStringList tray = VisibleCaptions(form->mine_menu);
    EXPECT_EQ(tray.size(), 12) << "the blank link is hidden";
    EXPECT_EQ(tray.first(), "晨光电台音乐播x");
    EXPECT_EQ(tray.last(), "自定义...");
    // Both spellings the example shows open in the system browser.
    form->SiteItemClick(form->mine_menu->actions()[1]);
    form->SiteItemClick(form->mine_menu->actions()[2]);
    ASSERT_TRUE(WaitFor([] { return OpenedAddresses().size() == 2; }, 5000));
    EXPECT_EQ(OpenedAddresses(), (QStringList{"http://www.example.test", "http://example.test/"}));

    // The next showing lists up to the blank link; deleting needs a line.
    Open(S()->quick_sheet);
    EXPECT_EQ(S()->quickLinkCount, 11);
    Click(S()->del_quick);
    EXPECT_EQ(S()->ListBox->count(), 11);
    ClickLine(S()->ListBox, 0);
    Click(S()->del_quick);
    EXPECT_EQ(Lines(S()->ListBox).first(), "bare");
    EXPECT_STREQ(form->store.quickLinks[10].url, "");
    ExpectSaved();
    CloseWindow();
    tray = VisibleCaptions(form->mine_menu);
    EXPECT_EQ(tray.size(), 11);
    EXPECT_EQ(tray.first(), "bare");
}

TEST_F(SettingsWindowTest, PlayersAddedUpdatedAndBoundedThenPlayedOnTheMusicPage) {
    Start();
    // The recommended table of this run, as the product site may send it:
    // the unnamed slot is not offered, the ones after it are.
    const QString fm = server->Url("/player.html?fm");
    form->recommendedPlayers = {Player(server->Url("/player.html?r"), "推荐", 780, 516, 20),
                                Player(server->Url("/player.html?x"), "", 1, 1, 1),
                                Player(fm, "人人电台", 1000, 520, 120)};
    Open(S()->music_sheet);
    ASSERT_EQ(S()->m_cbox->count(), 2);
    Choose(S()->m_cbox, 1);
    EXPECT_EQ(S()->m_title->text(), "人人电台");
    EXPECT_EQ(S()->m_url->text(), fm);
    EXPECT_EQ(S()->width_edit->text(), "1000");
    EXPECT_EQ(S()->height_edit->text(), "520");
    Click(S()->m_addbtn);
    const PlayerSlot* players = form->store.header.players;
    EXPECT_EQ(players[0].top, 120) << "inherited from the recommended player";
    EXPECT_EQ(players[0].height, 520);
    EXPECT_TRUE(S()->m_url->text().isEmpty());
    ExpectSaved();

    // Typed keys: only digits reach the size edits.
    S()->activateWindow();
    ASSERT_TRUE(WaitActive(S()));
    S()->width_edit->setFocus();
    QProcess::execute("xdotool", {"type", "--delay", "30", "1a0-b01"});
    ASSERT_TRUE(WaitFor([&] { return S()->width_edit->text() == "1001"; }, 3000))
        << S()->width_edit->text().toStdString();
    Type(S()->m_title, "九");
    Type(S()->m_url, server->Url("/player.html?9"));
    Click(S()->m_addbtn);
    EXPECT_EQ(players[1].width, 1000);
    EXPECT_EQ(players[1].height, 560);
    EXPECT_EQ(players[1].top, 20) << "no recommended player has this address";
    AddPlayer("零", server->Url("/player.html?0"), "0", "561");
    EXPECT_EQ(players[2].width, 0);
    EXPECT_EQ(players[2].height, 560);
    ExpectSaved();

    // The same trimmed address updates; the address stays as first typed.
    AddPlayer("新九", "  " + server->Url("/player.html?9") + " ", "300", "");
    EXPECT_EQ(Lines(S()->MListBox), (QStringList{"人人电台", "新九", "零"}));
    EXPECT_EQ(players[1].width, 300);
    EXPECT_EQ(QString(players[1].url), server->Url("/player.html?9"));
    AddPlayer("四", server->Url("/player.html?4"));
    AddPlayer("五", server->Url("/player.html?5"));
    const StoreHeader before = form->store.header;
    const SeenDialog* full = AnswerNextDialog("OK");
    AddPlayer("六", server->Url("/player.html?6"));
    EXPECT_EQ(full->text, "最多只能添加5个播放器！");
    EXPECT_EQ(std::memcmp(&before, &form->store.header, sizeof before), 0);
    const SeenDialog* empty = AnswerNextDialog("OK");
    AddPlayer("", server->Url("/player.html?7"));
    EXPECT_EQ(empty->text, "网址和名称不能为空！");
    ExpectSaved();

    // A line clicked shows its player in the edits.
    ClickLine(S()->MListBox, 1);
    EXPECT_EQ(S()->m_title->text(), "新九");
    EXPECT_EQ(S()->width_edit->text(), "300");

    // No player was chosen when the window opened: the first plays now.
    CloseWindow();
    EXPECT_EQ(form->music_cbox->count(), 5);
    EXPECT_EQ(form->music_cbox->currentIndex(), 0);
    EXPECT_EQ(form->store.header.playerChoice, 1);
    EXPECT_TRUE(ShowsAddress(Pane(), fm));
    EXPECT_EQ(form->focusWidget(), static_cast<QWidget*>(form->Button1));
    ExpectSaved();
}

TEST_F(SettingsWindowTest, DeletingAnEarlierThePlayingAndTheOnlyPlayer) {
    const QString one = server->Url("/player.html?1"), two = server->Url("/player.html?2"),
                  three = server->Url("/player.html?3");
    StartWithPlayers({Player(one, "one", 1000, 560, 20), Player(two, "two", 1000, 560, 20),
                      Player(three, "three", 1000, 560, 20)},
                     2);
    EnterMusicPage();
    ASSERT_TRUE(ShowsAddress(Pane(), two));

    // An earlier player goes: the playing one stays chosen at its new place.
    Open(S()->music_sheet);
    Click(S()->m_delbtn);
    EXPECT_EQ(S()->MListBox->count(), 3) << "no line selected, nothing deleted";
    ClickLine(S()->MListBox, 0);
    Click(S()->m_delbtn);
    EXPECT_EQ(Lines(S()->MListBox), (QStringList{"two", "three"}));
    EXPECT_EQ(form->store.header.players[2].top, 20);
    EXPECT_TRUE(S()->m_title->text().isEmpty());
    ExpectSaved();
    CloseWindow();
    EXPECT_EQ(form->music_cbox->currentText(), "two");
    EXPECT_EQ(form->store.header.playerChoice, 1);
    ExpectSaved();
    Linger(300);
    EXPECT_EQ(server->RequestLog().count("/player.html?2"), 1) << "not loaded again";

    // The playing player goes: the first remaining one plays.
    Open(S()->music_sheet);
    ClickLine(S()->MListBox, 0);
    Click(S()->m_delbtn);
    CloseWindow();
    EXPECT_EQ(form->music_cbox->currentText(), "three");
    EXPECT_TRUE(ShowsAddress(Pane(), three));

    // The only player goes: the pane empties at once, nothing is chosen.
    Open(S()->music_sheet);
    ClickLine(S()->MListBox, 0);
    Click(S()->m_delbtn);
    EXPECT_TRUE(ShowsAddress(Pane(), "about:blank"));
    Linger(300);
    EXPECT_FALSE(form->playerPageLoaded);
    EXPECT_EQ(form->store.header.playerChoice, 0);
    ExpectSaved();
    CloseWindow();
    EXPECT_EQ(form->music_cbox->count(), 0);

    // A save that fails is told; the change waits in memory for the next one.
    QFile::remove(DataFile());
    Open(S()->quick_sheet);
    const SeenDialog* failed = AnswerNextDialog("OK");
    AddQuickLink("kept", "http://kept.example/");
    EXPECT_EQ(failed->text, kKeptInMemory);
    EXPECT_STREQ(form->store.quickLinks[0].url, "http://kept.example/");
    AnswerNextDialog("OK");
    CloseWindow();
    AnswerNextDialog("OK"); // the main window's closing save
}

// The road a user takes on the demo site: no player yet, the music page
// sends him to the settings, he adds a recommended player and closes, the
// player plays.
TEST_F(SettingsWindowTest, FromTheMusicPageNoticeToAPlayingRecommendedPlayer) {
    HttpServer site(QString(TAVINOR_TEST_WEB) + "/../../../site");
    ASSERT_TRUE(site.Started());
    Start();
    // As the demo site's settings recommend it.
    const QString yequ = site.Url("/music/yequ.htm");
    form->recommendedPlayers[3] = Player(yequ, "夜曲FM", 1000, 520, 120);
    const SeenDialog* notice = AnswerNextDialog("OK");
    bool acted = false;
    std::function<void()> act;
    // Ends the polling below when this body ends, whether the window came or not.
    QObject scope;
    act = [&] {
        if (!S()->isVisible())
            return QTimer::singleShot(50, &scope, act);
        acted = S()->setting_page->currentWidget() == S()->music_sheet;
        Choose(S()->m_cbox, S()->m_cbox->count() - 1);
        Click(S()->m_addbtn);
        Click(S()->suiButton2);
    };
    QTimer::singleShot(0, &scope, act);
    EnterMusicPage();
    EXPECT_EQ(notice->text, "您还没有添加播放器，请在[音乐设置]中添加播放器！");
    EXPECT_TRUE(acted) << "opened on the music sheet";
    EXPECT_EQ(form->music_cbox->currentText(), "夜曲FM");
    EXPECT_EQ(form->store.header.players[0].top, 120);
    ASSERT_TRUE(ShowsAddress(Pane(), yequ));
    EXPECT_TRUE(Pane()->isVisible());
    EXPECT_EQ(Pane()->size(), QSize(1000, 520)) << "on screen at once, not after a restart";
    EXPECT_EQ(form->up->height(), 120);
    const auto state = [&] {
        return Evaluate(Pane()->page(), "window.demoPlayer ? demoPlayer.state() : ''").toString();
    };
    EXPECT_TRUE(WaitFor([&] { return state() == "running"; }, 15000)) << "playing";

    // The tray's "自定义..." opens the quick-link sheet, modally.
    bool quick = false;
    QTimer::singleShot(0, &scope, [&] {
        quick = S()->isVisible() && S()->setting_page->currentWidget() == S()->quick_sheet;
        Click(S()->suiButton2);
    });
    form->mine_setting->trigger();
    EXPECT_TRUE(quick);
}

// Escape on a control of either dialog is its close button: the modal run
// ends, and the settings window saves what memory holds as a click does;
// but an open list takes the key first.
TEST_F(SettingsWindowTest, EscapeClosesItAndTheAboutBoxAsTheirCloseButtons) {
    Start();
    TForm3 about;
    Form3 = &about;
    // Should the key do nothing, the window is closed anyway so the test ends.
    QObject scope; // and nothing is left to run once it has
    const auto escapeOn = [&scope](QWidget* control, bool& closed) {
        QTimer::singleShot(0, &scope, [control, &closed] {
            // Keys reach the window the user is in: the active one.
            EXPECT_TRUE(WaitActive(control->window()));
            control->setFocus();
            QTest::keyClick(control, Qt::Key_Escape);
            closed = !control->window()->isVisible();
            control->window()->close();
        });
    };
    // Real keys through the X server: with the 推荐播放器 list open, Escape
    // closes only the list; the next one, the window.
    bool listClosed = false;
    bool windowStayed = false;
    bool thenClosed = false;
    QTimer::singleShot(0, &scope, [&] {
        EXPECT_TRUE(WaitActive(S()));
        S()->setting_page->setCurrentWidget(S()->music_sheet);
        S()->m_cbox->setFocus();
        S()->m_cbox->showPopup();
        const auto listOpen = [] { return QApplication::activePopupWidget() != nullptr; };
        if (WaitFor(listOpen, 3000)) {
            QProcess::execute("xdotool", {"key", "Escape"});
            listClosed = WaitFor([&] { return !listOpen(); }, 3000);
            Linger(300);
            windowStayed = S()->isVisible();
            QProcess::execute("xdotool", {"key", "Escape"});
            thenClosed = WaitFor([this] { return !S()->isVisible(); }, 3000);
        }
        S()->close();
    });
    form->mine_setting->trigger();
    EXPECT_TRUE(listClosed);
    EXPECT_TRUE(windowStayed);
    EXPECT_TRUE(thenClosed);

    form->store.header.skinChoice = 1; // reaches the file with the next save
    bool closed = false;
    escapeOn(S()->url_edit, closed);
    form->mine_setting->trigger(); // returns only when the window is closed
    EXPECT_TRUE(closed);
    EXPECT_EQ(ReadBytes(DataFile().toStdString())[offsetof(StoreHeader, skinChoice)], 1);

    closed = false;
    escapeOn(about.suiButton1, closed);
    form->N3->trigger();
    Form3 = nullptr;
    EXPECT_TRUE(closed);
}

} // namespace
