// Export, import and the browser import driven through their buttons, with
// the file dialogs and notices answered as a person would.
#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QStandardPaths>
#include <QTest>
#include <atomic>
#include <chrono>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <gtest/gtest.h>
#include <memory>
#include <sys/inotify.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

#include "core/favorites/favorite_ops.h"
#include "core/favorites/store_exchange.h"
#include "core/store/store_load.h"
#include "support/dialogs.h"
#include "support/temp_dir.h"
#include "support/waits.h"
#include "ui/favorites/FavoriteRows.h"
#include "ui/favorites/bookmark_loading.h"
#include "ui/favorites_page_fixture.h"
#include "ui/shell/TForm1.h"
#include "ui/skin/suiBuiltInFileTheme.h"
#include "ui/skin/suiPageControl.h"
#include "ui/skin/suiThemeManager.h"

namespace {

const QString kDataFilter = ".dat (*.dat)";

std::string DataFile() {
    return FavoritesDataFile();
}

// Files that real browsers wrote (browser_exports/make.sh).
QString Exported(const QString& name) {
    return QString(TAVINOR_TEST_BROWSER_EXPORTS) + "/" + name;
}

QStringList Categories(QListWidget* list) {
    QStringList names;
    for (int row = 0; row < list->count(); ++row)
        names << list->item(row)->text();
    return names;
}

class FavoritesExchangeTest : public FavoritesPageFixture {
protected:
    // Clicks `button` with the next file dialog answered by `path`; `then`
    // runs while the dialog is up.
    void ClickWithFile(QPushButton* button, const QString& path, const QString& filter = {},
                       std::function<void()> then = {}) {
        AnswerNextFileDialog(path, filter, [=] {
            EXPECT_FALSE(button->isEnabled()) << "busy while it runs";
            if (then)
                then();
        });
        QTest::mouseClick(button, Qt::LeftButton);
        WaitUntilDone(button);
    }
    // Bookmarks are imported in the background; the button comes back at the end.
    static void WaitUntilDone(QPushButton* button) {
        EXPECT_TRUE(WaitFor([button] { return button->isEnabled(); }, 15000));
    }
    QString Temp(const std::string& name) const { return QString::fromStdString(dir.File(name)); }

    TempDir dir;
};

TEST_F(FavoritesExchangeTest, ExportWritesTheCompactedFileAndAsksBeforeReplacing) {
    AddFavorite(form->store, 0, "http://one.example/", "one", "now");
    ClickWithFile(form->outBtn, Temp("saved"));
    const std::string first = ReadBytes(dir.File("saved.dat"));
    EXPECT_EQ(first.size(), 2888u + 2 * 364) << "the default suffix is added";
    EXPECT_EQ(AnsweredDialogCount(), 0) << "a successful export says nothing";

    // Refusing to replace brings the dialog back; cancelling it writes nothing.
    AddFavorite(form->store, 0, "http://two.example/", "two", "now");
    const SeenDialog* question = nullptr;
    ClickWithFile(form->outBtn, Temp("saved.dat"), {}, [&] {
        question = AnswerNextDialog("No");
        AnswerNextFileDialog({});
    });
    EXPECT_EQ(question->caption, "请确认");
    EXPECT_EQ(question->text, "saved.dat 已存在，要替换它吗？");
    EXPECT_EQ(ReadBytes(dir.File("saved.dat")), first);

    ClickWithFile(form->outBtn, Temp("saved.dat"), {}, [] { AnswerNextDialog("Yes"); });
    EXPECT_EQ(ReadBytes(dir.File("saved.dat")).size(), 2888u + 3 * 364);

    // Onto the data file itself: refused with a notice, the file untouched.
    const std::string data = ReadBytes(DataFile());
    const SeenDialog* notice = nullptr;
    ClickWithFile(form->outBtn, QString::fromStdString(DataFile()), {}, [&] {
        AnswerNextDialog("Yes");
        notice = AnswerNextDialog("OK");
    });
    EXPECT_TRUE(notice->text.startsWith("无法导出到 ")) << notice->text.toStdString();
    EXPECT_EQ(ReadBytes(DataFile()), data);
}

TEST_F(FavoritesExchangeTest, HtmlExportIsABookmarkFileInUtf8) {
    AddFavorite(form->store, 0, "http://news.example/?a=1&b=2", "\xD0\xC2\xCE\xC5", "now"); // 新闻
    ClickWithFile(form->outBtn, Temp("bookmarks"), "HTML 书签 (*.html)");
    const QString html = QString::fromUtf8(ReadBytes(dir.File("bookmarks.html")));
    EXPECT_TRUE(html.startsWith("<!DOCTYPE NETSCAPE-Bookmark-file-1>"));
    EXPECT_TRUE(html.contains("<DT><H3>默认分类</H3>"));
    EXPECT_TRUE(html.contains("HREF=\"http://news.example/?a=1&amp;b=2\""));
    EXPECT_TRUE(html.contains(">新闻</A>"));

    // A name that says its format wins over the filter.
    ClickWithFile(form->outBtn, Temp("typed.html"), kDataFilter);
    EXPECT_TRUE(
        ReadBytes(dir.File("typed.html")).starts_with("<!DOCTYPE NETSCAPE-Bookmark-file-1>"));
    ClickWithFile(form->outBtn, Temp("typed.dat"), "HTML 书签 (*.html)");
    EXPECT_TRUE(ReadBytes(dir.File("typed.dat")).starts_with("tvrV"));
}

TEST_F(FavoritesExchangeTest, ImportRejectsAForeignFileAndReplacesEverythingWithAGoodOne) {
    WriteBytes(dir.File("foreign.dat"), std::string(3252, 'x'));
    const SeenDialog* notice = AnswerNextDialog("OK");
    ClickWithFile(form->inBtn, Temp("foreign.dat"));
    EXPECT_EQ(notice->text, "错误的文件格式！");
    EXPECT_EQ(form->store.items.size(), 1u);

    // Another data file: a second category, a start option, a quick link, the second skin.
    Store other;
    other.path = dir.File("other.dat");
    LoadStoreFile(other, "http://elsewhere/", "now");
    AddCategory(other, "Work");
    AddFavorite(other, 1, "http://work.example/", "work", "now");
    other.header.openSitePageOnStart = 1;
    other.header.skinChoice = 1;
    std::strcpy(other.quickLinks[0].title, "QL");
    std::strcpy(other.quickLinks[0].url, "http://ql.example/");
    SaveStore(other, other.record, false);
    form->ListBox->setCurrentRow(0);

    ClickWithFile(form->inBtn, Temp("other.dat"), kDataFilter);
    EXPECT_EQ(ReadBytes(DataFile()), ReadBytes(other.path));
    EXPECT_EQ(Categories(form->ListBox), (QStringList{"默认分类", "Work"}));
    EXPECT_EQ(form->ListBox->currentRow(), 0);
    EXPECT_EQ(form->ScrollBox->RowCount(), 1);
    EXPECT_EQ(form->fav_num_label->text(), "收藏网址数：2     ");
    EXPECT_TRUE(form->tvrCheckBox->isChecked());
    EXPECT_EQ(form->suiThemeManager1->fileTheme(), &BuiltInTheme(2)) << "the second skin";
    QStringList links;
    for (QAction* entry : form->mine_menu->actions())
        if (entry->isVisible())
            links << entry->text();
    EXPECT_TRUE(links.contains("QL")) << links.join(",").toStdString();
    EXPECT_FALSE(QFile::exists(QString::fromStdString(ImportBackupPath(DataFile()))));
}

// Browsing a folder with a FIFO and a file known only by its bytes, then
// importing the FIFO: no file but a plain one is listed, none is opened while
// browsing, and the FIFO is never opened, so nothing waits for a writer.
TEST_F(FavoritesExchangeTest, TheDialogAndTheImportOpenNoFifoAndSniffNothing) {
    using namespace std::chrono_literals;
    const std::string pipe = dir.File("pipe.dat");
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
    WriteBytes(dir.File("plain"), "<!DOCTYPE NETSCAPE-Bookmark-file-1>\n");
    // A reader of the FIFO is seen, and set free, by opening it to write.
    std::atomic<bool> stop = false;
    std::atomic<bool> readerSeen = false;
    std::thread writer([&] {
        while (!stop) {
            if (const int fd = ::open(pipe.c_str(), O_WRONLY | O_NONBLOCK); fd >= 0) {
                readerSeen = true;
                ::close(fd);
            }
            std::this_thread::sleep_for(20ms);
        }
    });
    const int opens = inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    ASSERT_GE(inotify_add_watch(opens, dir.path().c_str(), IN_OPEN), 0);
    const std::string before = ReadBytes(DataFile());

    QStringList listed;
    ClickWithFile(form->inBtn, Temp("pipe.dat"), {}, [&] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        dialog->setNameFilter("* (*)"); // as a user who shows every file
        dialog->setDirectory(Temp(""));
        auto* view = dialog->findChild<QListView*>("listView");
        EXPECT_TRUE(WaitFor(
            [&] {
                listed.clear();
                for (int row = 0; row < view->model()->rowCount(view->rootIndex()); ++row)
                    listed << view->model()->index(row, 0, view->rootIndex()).data().toString();
                return listed.contains("plain");
            },
            5000));
        // Typed, as a person would; the dialog lists no FIFO to click on.
        dialog->findChild<QLineEdit*>("fileNameEdit")->setText("pipe.dat");
    });
    stop = true;
    writer.join();
    EXPECT_TRUE(listed.contains("plain"));
    EXPECT_FALSE(listed.contains("pipe.dat"));
    EXPECT_FALSE(readerSeen) << "the FIFO was opened to be read";
    char events[4096];
    const ssize_t size = ::read(opens, events, sizeof events);
    for (ssize_t at = 0; at < size;) {
        const auto* event = reinterpret_cast<const inotify_event*>(events + at);
        EXPECT_FALSE(event->len > 0 && std::string(event->name) == "plain") << "sniffed";
        at += static_cast<ssize_t>(sizeof(inotify_event) + event->len);
    }
    ::close(opens);
    EXPECT_EQ(ReadBytes(DataFile()), before);
}

TEST_F(FavoritesExchangeTest, ImportOfABrowserBookmarkFileAddsItsLinks) {
    WriteBytes(dir.File("firefox.html"),
               "<!DOCTYPE NETSCAPE-Bookmark-file-1>\n<DL><p>\n<DT><H3>新闻</H3>\n<DL><p>\n"
               "<DT><A HREF=\"http://news.example/\">头条 😀</A>\n</DL><p>\n</DL>\n");
    ClickWithFile(form->inBtn, Temp("firefox.html"));
    EXPECT_EQ(Categories(form->ListBox), (QStringList{"默认分类", "新闻"}));
    ASSERT_EQ(form->store.items.size(), 2u) << "added to what was there";
    EXPECT_EQ(form->store.items[1].title, "\xCD\xB7\xCC\xF5 ?") << "GBK, with a visible stand-in";
    EXPECT_EQ(form->fav_num_label->text(), "收藏网址数：2     ");
}

TEST_F(FavoritesExchangeTest, FirefoxExportWithMoreFoldersThanFreeCategoriesGivesOneNotice) {
    // 25 folders of 3 links; 19 categories are free.
    const SeenDialog* notice = AnswerNextDialog("OK");
    AnswerNextDialog("OK"); // a second notice would be a fault: answered, then counted
    ClickWithFile(form->inBtn, Exported("firefox-bookmarks.html"));
    EXPECT_EQ(AnsweredDialogCount(), 1);
    EXPECT_EQ(notice->text, "共导入 75 个收藏：57 个放入了各自的分类，18 个因无法新建分类"
                            "（最多可添加20个分类）放入了最后一个分类“文件夹 19”。");
    EXPECT_EQ(form->ListBox->count(), 20);
    EXPECT_EQ(form->fav_num_label->text(), "收藏网址数：76     ");
}

TEST_F(FavoritesExchangeTest, ChromiumProfileGivesOneNoticeAndSkipsAnAddressThatIsNotText) {
    QByteArray json = ReadBytes(Exported("chromium-Bookmarks").toStdString()).c_str();
    ASSERT_TRUE(json.contains(R"("url": "https://site25-3.example.cn/path?a=1&b=3")"));
    json.replace(R"("url": "https://site25-3.example.cn/path?a=1&b=3")", R"("url": 253)");
    const QString config = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    QDir().mkpath(config + "/chromium/Default");
    WriteBytes((config + "/chromium/Default/Bookmarks").toStdString(), json.toStdString());

    const SeenDialog* notice = AnswerNextDialog("OK");
    AnswerNextDialog("OK");
    QTest::mouseClick(form->IEBtn, Qt::LeftButton);
    WaitUntilDone(form->IEBtn);
    QDir(config + "/chromium").removeRecursively();
    EXPECT_EQ(AnsweredDialogCount(), 1);
    EXPECT_EQ(notice->text, "共导入 74 个收藏：57 个放入了各自的分类，17 个因无法新建分类"
                            "（最多可添加20个分类）放入了最后一个分类“文件夹 19”。\n"
                            "有 1 个条目没有可读的网址，已跳过。");
    EXPECT_EQ(form->fav_num_label->text(), "收藏网址数：75     ");
}

TEST_F(FavoritesExchangeTest, FavoritesFolderFromAChineseWindowsKeepsItsChineseText) {
    const std::string favorites = QDir::homePath().toStdString() + "/Favorites";
    const std::string news = favorites + "/\xD0\xC2\xCE\xC5"; // 新闻
    std::filesystem::create_directories(news);
    // 头条: GBK name, GBK in the address.
    WriteBytes(news + "/\xCD\xB7\xCC\xF5.url",
               "[InternetShortcut]\r\nURL=http://news.example/\xCD\xB7\xCC\xF5\r\n");
    // 体育: UTF-8 name, text with a byte-order mark.
    WriteBytes(news + "/\xE4\xBD\x93\xE8\x82\xB2.url",
               "\xEF\xBB\xBF[InternetShortcut]\r\nURL=http://sports.example/\r\n");
    WriteBytes(news + "/bad.url", "[InternetShortcut]\r\nURL=http://bad.example/\xFF\xFE\r\n");
    // More folders than free categories: still the one notice at the end.
    for (int i = 10; i < 30; ++i) {
        const std::string folder =
            favorites + "/\xD6\xD0" + std::to_string(i); // 中NN in GBK, after 新闻
        std::filesystem::create_directories(folder);
        WriteBytes(folder + "/s.url",
                   "[InternetShortcut]\r\nURL=http://s" + std::to_string(i) + ".example/\r\n");
    }

    const SeenDialog* notice = AnswerNextDialog("OK");
    AnswerNextDialog("OK");
    QTest::mouseClick(form->IEBtn, Qt::LeftButton);
    WaitUntilDone(form->IEBtn);
    std::filesystem::remove_all(favorites); // Qt cannot name what is not UTF-8
    EXPECT_EQ(AnsweredDialogCount(), 1);
    EXPECT_EQ(notice->text.toStdString(),
              "共导入 22 个收藏：20 个放入了各自的分类，2 个因无法新建分类"
              "（最多可添加20个分类）放入了最后一个分类“中27”。\n"
              "有 1 个条目没有可读的网址，已跳过。");
    EXPECT_EQ(form->ListBox->item(1)->text(), "新闻");
    ASSERT_EQ(form->store.items.size(), 23u);
    EXPECT_EQ(form->store.items[1].title, "\xCD\xB7\xCC\xF5");
    EXPECT_EQ(form->store.items[1].url, "http://news.example/\xCD\xB7\xCC\xF5");
    EXPECT_EQ(form->store.items[2].title, "\xCC\xE5\xD3\xFD"); // 体育 in GBK
    EXPECT_EQ(form->store.items[2].url, "http://sports.example/");
}

TEST(BookmarkFileLoading, ReadsPast64MiBAndSaysWhenItCutsAFile) {
    TempDir dir;
    const std::string head = "<!DOCTYPE NETSCAPE-Bookmark-file-1>\n<DL><p>\n"
                             "<DT><A HREF=\"http://first.example/\">First</A>\n";
    const std::string last = "<DT><A HREF=\"http://last.example/\">Last</A>\n</DL>\n";
    WriteBytes(dir.File("big.html"), head + "<!--" + std::string(65 << 20, 'x') + "-->\n" + last);
    LoadedBookmarks loaded = LoadBookmarkFile(QString::fromStdString(dir.File("big.html")));
    EXPECT_EQ(loaded.readSize, 0) << "read whole";
    ASSERT_EQ(loaded.root.children.size(), 2u);
    EXPECT_EQ(loaded.root.children[1].url, "http://last.example/");

    // Past the bound: cut where a line ends, and told how much was taken.
    WriteBytes(dir.File("cut.html"), head + last);
    loaded = LoadBookmarkFile(QString::fromStdString(dir.File("cut.html")), head.size() + 10);
    EXPECT_EQ(loaded.fileSize, static_cast<qint64>((head + last).size()));
    EXPECT_EQ(loaded.readSize, static_cast<qint64>(head.size()));
    ASSERT_EQ(loaded.root.children.size(), 1u);
    EXPECT_EQ(loaded.root.children[0].url, "http://first.example/");
}

TEST_F(FavoritesExchangeTest, BrowserImportNeedsASourceAndSkipsOneItCannotRead) {
    const SeenDialog* notice = AnswerNextDialog("OK");
    QTest::mouseClick(form->IEBtn, Qt::LeftButton);
    WaitUntilDone(form->IEBtn);
    EXPECT_EQ(notice->text, "导入IE收藏夹出错！");

    const QString config = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    const QString damaged = config + "/google-chrome/Default/Bookmarks";
    QDir().mkpath(config + "/chromium/Default");
    QDir().mkpath(QFileInfo(damaged).path());
    WriteBytes(damaged.toStdString(), "{\"version\": 1, \"roots\"");
    WriteBytes((config + "/chromium/Default/Bookmarks").toStdString(),
               R"({"version": 1, "roots": {"bookmark_bar": {"name": "书签栏", "type": "folder",
                   "children": [{"name": "A", "type": "url", "url": "http://a.example/"},
                                {"name": "B", "type": "url", "url": 7}]}}})");
    // In a store's place: something that never ends, and a FIFO nobody
    // writes; Firefox's database as a FIFO too.
    const QString endless = config + "/vivaldi/Default/Bookmarks";
    const QString fifo = config + "/microsoft-edge/Default/Bookmarks";
    const QString firefox = QDir::homePath() + "/.mozilla/firefox";
    for (const QString& path : {endless, fifo, firefox + "/p.default/places.sqlite"})
        QDir().mkpath(QFileInfo(path).path());
    WriteBytes((firefox + "/profiles.ini").toStdString(),
               "[Profile0]\nName=default\nIsRelative=1\nPath=p.default\nDefault=1\n");
    ASSERT_EQ(symlink("/dev/zero", endless.toLocal8Bit().constData()), 0);
    ASSERT_EQ(mkfifo(fifo.toLocal8Bit().constData(), 0600), 0);
    ASSERT_EQ(mkfifo((firefox + "/p.default/places.sqlite").toLocal8Bit().constData(), 0600), 0);

    notice = AnswerNextDialog("OK");
    AnswerNextDialog("OK");
    QTest::mouseClick(form->IEBtn, Qt::LeftButton);
    WaitUntilDone(form->IEBtn);
    for (const char* browser : {"chromium", "google-chrome", "vivaldi", "microsoft-edge"})
        QDir(config + "/" + browser).removeRecursively();
    QDir(firefox).removeRecursively();
    EXPECT_EQ(AnsweredDialogCount(), 2) << "one notice for each of the two imports";
    EXPECT_EQ(notice->text, "有 1 个条目没有可读的网址，已跳过。\n"
                            "无法读取浏览器收藏 " +
                                firefox +
                                "/p.default/places.sqlite，已跳过。\n"
                                "无法读取浏览器收藏 " +
                                damaged +
                                "，已跳过。\n"
                                "无法读取浏览器收藏 " +
                                fifo + "，已跳过。\n无法读取浏览器收藏 " + endless + "，已跳过。");
    EXPECT_EQ(Categories(form->ListBox), (QStringList{"默认分类", "书签栏"}));
    EXPECT_EQ(form->ListBox->currentRow(), 0);
    EXPECT_EQ(form->fav_num_label->text(), "收藏网址数：2     ");
}

} // namespace
