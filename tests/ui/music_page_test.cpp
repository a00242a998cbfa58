// The music page with the real player pane, the loopback server and the
// demo site's player pages.
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QWebEnginePage>
#include <cstddef>
#include <cstring>

#include "support/dialogs.h"
#include "support/temp_dir.h"
#include "support/waits.h"
#include "ui/main_window_fixture.h"
#include "ui/music/Tsetting_form.h"
#include "ui/shell/TCppWebBrowser.h"
#include "ui/shell/app_start.h"
#include "ui/skin/suiForm.h"
#include "ui/skin/suiImageButton.h"
#include "ui/skin/suiPageControl.h"

namespace {

PlayerSlot Player(const QString& url, const char* title, int width = 1000, int height = 560,
                  int top = 20) {
    PlayerSlot slot{};
    qstrncpy(slot.url, url.toLatin1().constData(), sizeof slot.url);
    qstrncpy(slot.title, title, sizeof slot.title);
    slot.width = width;
    slot.height = height;
    slot.top = top;
    return slot;
}

QVariant Eval(TCppWebBrowser* pane, const QString& script) {
    return Evaluate(pane->page(), script);
}

class MusicPageTest : public MainWindowFixture {
protected:
    void SetUp() override {
        MainWindowFixture::SetUp();
        setting_form = new Tsetting_form;
    }
    void TearDown() override {
        MainWindowFixture::TearDown();
        delete setting_form;
        setting_form = nullptr;
    }
    // Starts on a data file that holds these players and this choice.
    void StartWith(std::initializer_list<PlayerSlot> players, int choice) {
        Start();
        form->close();
        form.reset();
        std::string bytes = ReadBytes(DataFile().toStdString());
        PlayerSlot table[5]{};
        std::copy(players.begin(), players.end(), table);
        std::memcpy(bytes.data() + offsetof(StoreHeader, players), table, sizeof table);
        bytes[offsetof(StoreHeader, playerChoice)] = static_cast<char>(choice);
        WriteBytes(DataFile().toStdString(), bytes);
        Start();
    }
    TCppWebBrowser* Pane() const { return form->CppWebBrowser3; }
    void Enter() { form->suiPageControl1->setCurrentWidget(form->suiTabSheet2); }
    int Requests(const QString& path) const { return server->RequestLog().count(path); }
    // The user picks the next entry of the player list with the keyboard.
    void ChooseNextPlayer() {
        form->music_cbox->setFocus();
        QTest::keyClick(form->music_cbox, Qt::Key_Down);
    }
    void ResizeTo(QSize size) {
        form->resize(size);
        // Only the shown sheet follows at once; the others take its place when shown.
        const QWidget* page = form->suiPageControl1->currentWidget();
        ASSERT_TRUE(WaitFor(
            [&] {
                return W() == size.width() - 2 * suiForm::BorderWidth && page->width() <= W() &&
                       page->width() > W() - 10;
            },
            5000));
        ASSERT_EQ(form->size(), size);
    }
    int W() const { return form->suiForm1->clientArea()->width(); }
    int PaneTop() const {
        return form->suiTabSheet2->mapTo(form->suiPageControl1, QPoint(0, 0)).y() + 40;
    }
    // The strips around a pane at `pane` whose top strip is `top` high.
    void ExpectStrips(const QRect& pane, int top) {
        const int x = pane.x(), y = pane.y(), w = pane.width(), h = pane.height();
        EXPECT_EQ(form->up->geometry(), QRect(x - 4, y - 16, w + 6, top));
        EXPECT_EQ(form->left->geometry(), QRect(x - 16, y - 16, 20, h + 14));
        EXPECT_EQ(form->right->geometry(), QRect(x + w - 12, y - 16, 20, h + 14));
        EXPECT_EQ(form->bottom->geometry(), QRect(x - 16, y + h - 2, w + 24, 20));
    }
};

TEST_F(MusicPageTest, FirstEntryLoadsTheFirstPlayerOnceAndLaterEntriesNavigateNothing) {
    StartWith({Player(server->Url("/autoplay.html?n=1"), "one"),
               Player(server->Url("/player.html?n=2"), "two")},
              0);
    EXPECT_EQ(form->music_cbox->count(), 2);
    EXPECT_EQ(form->music_cbox->currentIndex(), -1);

    QSignalSpy done(Pane(), &TCppWebBrowser::DocumentComplete);
    Enter();
    ASSERT_TRUE(WaitFor([&] { return done.count() == 1; }, 20000));
    EXPECT_EQ(form->music_cbox->currentIndex(), 0);
    EXPECT_EQ(form->store.header.playerChoice, 1);
    EXPECT_TRUE(form->playerPageLoaded);
    // The user chose the player: it may start without a click in the page.
    EXPECT_TRUE(WaitFor([&] { return Pane()->title() == "playing"; }, 5000))
        << Pane()->title().toStdString();

    form->suiPageControl1->setCurrentWidget(form->guanliTabSheet);
    Enter();
    form->suiPageControl1->setCurrentWidget(form->suiTabSheet1);
    Enter();
    Linger(1000);
    EXPECT_EQ(Requests("/autoplay.html?n=1"), 1);
    EXPECT_EQ(Requests("/player.html?n=2"), 0);
    EXPECT_EQ(done.count(), 1);
    form->close();
    EXPECT_EQ(ReadBytes(DataFile().toStdString())[offsetof(StoreHeader, playerChoice)], 1);
}

// A player lays itself out when it loads; a view not yet laid out gives it a wrong size.
TEST_F(MusicPageTest, TheFirstPlayerLoadsAtItsOwnSize) {
    StartWith({Player(server->Url("/sized.html"), "sized", 600, 300)}, 0);
    QSignalSpy done(Pane(), &TCppWebBrowser::DocumentComplete);
    Enter();
    ASSERT_TRUE(WaitFor([&] { return done.count() == 1; }, 20000));
    EXPECT_TRUE(WaitFor([&] { return Pane()->title().contains('x'); }, 5000));
    EXPECT_EQ(Pane()->title(), QString("%1x%2").arg(Pane()->width()).arg(Pane()->height()));
}

TEST_F(MusicPageTest, NoPlayersPointToTheSettingsWindowOnItsMusicSheet) {
    Start();
    QSignalSpy loads(Pane()->page(), &QWebEnginePage::loadStarted);
    setting_form->setting_page->setCurrentWidget(setting_form->quick_sheet);
    const SeenDialog* notice = AnswerNextDialog("OK");
    const SeenDialog* settings = AnswerNextDialog("关  闭");
    Enter();
    EXPECT_EQ(notice->text, "您还没有添加播放器，请在[音乐设置]中添加播放器！");
    EXPECT_EQ(settings->caption, "设 置");
    EXPECT_EQ(AnsweredDialogCount(), 2);
    EXPECT_EQ(setting_form->setting_page->currentWidget(), setting_form->music_sheet);
    EXPECT_FALSE(setting_form->isVisible());

    // The link beside the list opens the same sheet.
    setting_form->setting_page->setCurrentWidget(setting_form->quick_sheet);
    AnswerNextDialog("关  闭");
    QTest::mouseClick(form->music_setting, Qt::LeftButton);
    EXPECT_EQ(AnsweredDialogCount(), 3);
    EXPECT_EQ(setting_form->setting_page->currentWidget(), setting_form->music_sheet);
    Linger(300);
    EXPECT_EQ(loads.count(), 0) << "the pane is not touched";
}

TEST_F(MusicPageTest, AChoicePastTheListKeepsTheSelectionAndPlaysItsOwnSlot) {
    const QString fourth = server->Url("/player.html?n=4");
    StartWith({Player(server->Url("/player.html?n=1"), "one"),
               Player(server->Url("/player.html?n=2"), "two"), PlayerSlot{},
               Player(fourth, "four")},
              4);
    ASSERT_EQ(form->music_cbox->count(), 3);
    EXPECT_EQ(form->music_cbox->currentIndex(), -1);
    form->music_cbox->setCurrentIndex(1);
    Enter();
    EXPECT_EQ(form->music_cbox->currentIndex(), 1);
    EXPECT_EQ(form->store.header.playerChoice, 4);
    EXPECT_TRUE(ShowsAddress(Pane(), fourth));
}

TEST_F(MusicPageTest, PaneAndStripsFollowTheWindowAndTheChosenPlayer) {
    StartWith({Player(server->Url("/player.html?n=1"), "one", 640, 400, 20),
               Player(server->Url("/player.html?n=2"), "wide", 1200, 500, 120)},
              0);
    ResizeTo({1240, 900});
    // Choice 0 lays out the default pane.
    const QRect designPane((W() - 1000) / 2, PaneTop(), 1000, 560);
    EXPECT_EQ(Pane()->geometry(), designPane);
    ExpectStrips(designPane, 20);
    EXPECT_EQ(form->suiTabSheet2->childAt(designPane.topLeft() + QPoint(10, 1)), form->up)
        << "the strips lie over the pane";
    const QWidget* page = form->suiPageControl1->currentWidget();
    EXPECT_EQ(form->music_cbox->x(), page->width() - 220);
    EXPECT_EQ(form->player_caption->geometry().right() + 1, form->music_cbox->x() + 2);
    EXPECT_EQ(form->music_setting->x(), page->width() - 60);
    EXPECT_EQ(form->Edit7->pos(), QPoint(40, page->height() - 40));
    EXPECT_EQ(form->bg_img->geometry(), QRect(QPoint(0, 0), page->size()));
    EXPECT_EQ(form->CppWebBrowser2->size(), QSize(1, 1));

    Enter();
    // The top strip never keeps the focus: the player gets it.
    form->activateWindow();
    ASSERT_TRUE(WaitActive(form.get()));
    QTest::mouseClick(form->up, Qt::LeftButton);
    EXPECT_TRUE(WaitFor(
        [&] {
            QWidget* focus = QApplication::focusWidget();
            return focus == Pane() || Pane()->isAncestorOf(focus);
        },
        2000));

    // The user's choice resizes the pane at once; the rest waits for a layout pass.
    const QRect pane = Pane()->geometry();
    const QRect up = form->up->geometry();
    form->mok_label->show();
    ChooseNextPlayer();
    EXPECT_EQ(form->store.header.playerChoice, 2);
    EXPECT_EQ(Pane()->geometry(), QRect(pane.topLeft(), QSize(1200, 500)));
    EXPECT_EQ(form->up->geometry(), up);
    EXPECT_FALSE(form->mok_label->isVisible());
    EXPECT_EQ(form->focusWidget(), form->Button1);
    EXPECT_TRUE(ShowsAddress(Pane(), server->Url("/player.html?n=2")));

    ResizeTo({1100, 860});
    ASSERT_LT(W(), 1200);
    const QRect wide(0, PaneTop(), 1200, 500);
    EXPECT_EQ(Pane()->geometry(), wide) << "a pane wider than the window starts at its left";
    ExpectStrips(wide, 120);
}

TEST_F(MusicPageTest, CompletedPagesLoseTheirScrollBarsOnTheRightElement) {
    Start();
    QSignalSpy done(Pane(), &TCppWebBrowser::DocumentComplete);
    const auto load = [&](const QString& address) {
        const int before = done.count();
        Pane()->Navigate(address);
        ASSERT_TRUE(WaitFor([&] { return done.count() > before; }, 20000));
    };
    const auto overflow = [&](const char* element) {
        return Eval(Pane(),
                    QString("document.%1 ? document.%1.style.overflow : 'none'").arg(element))
            .toString();
    };
    load("about:blank");
    EXPECT_FALSE(form->playerPageLoaded) << "the empty page is no player";
    EXPECT_TRUE(form->Edit7->isVisibleTo(form->suiTabSheet2));

    load(server->Url("/quirks.html"));
    EXPECT_TRUE(form->playerPageLoaded);
    EXPECT_TRUE(WaitFor([&] { return overflow("body") == "hidden"; }, 5000));
    EXPECT_EQ(overflow("documentElement"), "");

    load(server->Url("/player.html"));
    EXPECT_TRUE(WaitFor([&] { return overflow("documentElement") == "hidden"; }, 5000));
    EXPECT_EQ(overflow("body"), "");

    // A page without the element its mode names is left as it is.
    form->playerPageLoaded = false;
    form->Edit7->hide();
    load(server->Url("/no_body.html"));
    Linger(300);
    EXPECT_EQ(overflow("body"), "none");
    EXPECT_EQ(overflow("documentElement"), "");
    EXPECT_TRUE(form->playerPageLoaded);
    EXPECT_TRUE(form->Edit7->isVisibleTo(form->suiTabSheet2));
}

TEST_F(MusicPageTest, OnlyWebAddressesArePlayedAndNoSelectionChangesNothing) {
    StartWith({Player("javascript:document.title='x'", "script"),
               Player("file:///etc/passwd", "file"), Player("data:text/html,<b>x</b>", "data")},
              1);
    QSignalSpy loads(Pane()->page(), &QWebEnginePage::loadStarted);
    Enter();
    EXPECT_EQ(form->music_cbox->currentIndex(), 0);
    ChooseNextPlayer();
    EXPECT_EQ(form->store.header.playerChoice, 2);
    QTest::mouseClick(form->fresh_btn, Qt::LeftButton);
    form->music_cbox->setCurrentIndex(-1);
    form->music_cboxChange();
    EXPECT_EQ(form->store.header.playerChoice, 2);
    Linger(500);
    EXPECT_EQ(loads.count(), 0);
    EXPECT_TRUE(Pane()->url().isEmpty());
}

class DemoPlayerTest : public MusicPageTest {
protected:
    static void SetUpTestSuite() {
        MusicPageTest::SetUpTestSuite();
        site = new HttpServer(QString(TAVINOR_TEST_WEB) + "/../../../site");
    }
    static void TearDownTestSuite() {
        delete site;
        site = nullptr;
        MusicPageTest::TearDownTestSuite();
    }
    double AudioTime() { return Eval(Pane(), "demoPlayer.time()").toDouble(); }
    QString AudioState() { return Eval(Pane(), "demoPlayer.state()").toString(); }
    static HttpServer* site;
};
HttpServer* DemoPlayerTest::site = nullptr;

TEST_F(DemoPlayerTest, PlaysMadeUpMusicAndKeepsPlayingAwayFromThePage) {
    ASSERT_TRUE(site->Started());
    StartWith({Player(site->Url("/music/yequ.htm"), "yequ", 1000, 520, 120)}, 1);
    QSignalSpy done(Pane(), &TCppWebBrowser::DocumentComplete);
    Enter();
    ASSERT_TRUE(WaitFor([&] { return done.count() == 1; }, 20000));
    // A player the user chose starts without a click in the page.
    ASSERT_TRUE(WaitFor([&] { return AudioState() == "running"; }, 5000));
    const double started = AudioTime();
    EXPECT_TRUE(WaitFor([&] { return AudioTime() > started; }));
    // The page's head band is what the top strip covers.
    const int band =
        Eval(Pane(), "document.querySelector('.head').getBoundingClientRect().bottom").toInt();
    EXPECT_EQ(form->up->geometry().bottom() + 1 - Pane()->y(), band);

    const QString song = Eval(Pane(), "demoPlayer.song()").toString();
    ClickElement(*Pane(), ".next");
    EXPECT_TRUE(
        WaitFor([&] { return Eval(Pane(), "demoPlayer.song()").toString() != song; }, 5000));
    ClickElement(*Pane(), ".play");
    EXPECT_TRUE(WaitFor([&] { return AudioState() == "suspended"; }, 5000));
    ClickElement(*Pane(), ".play");
    EXPECT_TRUE(WaitFor([&] { return AudioState() == "running"; }, 5000));

    form->suiPageControl1->setCurrentWidget(form->guanliTabSheet);
    // Long enough in the tray for the pages nobody sees to be given back.
    form->hiddenDiscardDelayMs = 300;
    form->Minimize();
    const double hidden = AudioTime();
    EXPECT_TRUE(WaitFor([&] { return AudioTime() - hidden > 1.0; }, 10000))
        << "still playing in the tray";
    EXPECT_EQ(AudioState(), "running");
    EXPECT_EQ(done.count(), 1);
    EXPECT_EQ(site->RequestLog().count("/music/yequ.htm"), 1);
}

} // namespace
