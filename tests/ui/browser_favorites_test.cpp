// The browsers' favorites as the platform finds them under HOME, from sample
// stores built here: a Firefox places.sqlite held open and locked as a
// running Firefox holds it, and Chromium-family Bookmarks files.
#include <QDir>
#include <QFile>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QStandardPaths>
#include <gtest/gtest.h>

#include "platform/platform.h"

namespace {

// The two tables of Firefox's schema that hold bookmarks (moz_places cut
// to a few of its columns).
const char* const kPlacesSchema[] = {
    "CREATE TABLE moz_places (id INTEGER PRIMARY KEY, url LONGVARCHAR, title LONGVARCHAR, "
    "rev_host LONGVARCHAR, visit_count INTEGER DEFAULT 0, guid TEXT, url_hash INTEGER)",
    "CREATE TABLE moz_bookmarks (id INTEGER PRIMARY KEY, type INTEGER, fk INTEGER DEFAULT NULL, "
    "parent INTEGER, position INTEGER, title LONGVARCHAR, keyword_id INTEGER, folder_type TEXT, "
    "dateAdded INTEGER, lastModified INTEGER, guid TEXT, syncStatus INTEGER NOT NULL DEFAULT 0, "
    "syncChangeCounter INTEGER NOT NULL DEFAULT 1)",
    "INSERT INTO moz_places (id, url) VALUES (1, 'http://fx-menu.example/'), "
    "(2, 'http://fx-work.example/'), (3, 'place:sort=8&maxResults=10'), "
    "(4, 'http://fx-tagged.example/')",
    // root, its five top folders, then: a bookmark and a separator in the
    // menu, a folder in the toolbar with a bookmark, a query, and a tag.
    "INSERT INTO moz_bookmarks (id, type, fk, parent, position, title, dateAdded, guid) VALUES "
    "(1, 2, NULL, 0, 0, '', 0, 'root________'), (2, 2, NULL, 1, 0, 'menu', 0, 'menu________'), "
    "(3, 2, NULL, 1, 1, 'toolbar', 0, 'toolbar_____'), (4, 2, NULL, 1, 2, 'tags', 0, "
    "'tags________'), (5, 2, NULL, 1, 3, 'unfiled', 0, 'unfiled_____'), "
    "(6, 2, NULL, 1, 4, 'mobile', 0, 'mobile______'), "
    "(10, 1, 1, 2, 0, '菜单链接', 1700000000000000, 'a1'), (11, 3, NULL, 2, 1, '', 0, 'a2'), "
    "(12, 2, NULL, 3, 0, 'Work', 0, 'a3'), (13, 1, 2, 12, 0, 'Work site', 0, 'a4'), "
    "(14, 1, 3, 3, 1, 'Most Visited', 0, 'a5'), (15, 2, NULL, 4, 0, 'mytag', 0, 'a6'), "
    "(16, 1, 4, 15, 0, NULL, 0, 'a7')"};

const char kChromium[] = R"({"checksum": "0", "version": 1, "roots": {
  "bookmark_bar": {"name": "书签栏", "type": "folder", "children": [
    {"name": "Chromium 链接", "type": "url", "url": "http://cr-bar.example/",
     "date_added": "13300000000000000"},
    {"name": "Folder", "type": "folder", "children": [
      {"name": "Deep", "type": "url", "url": "http://cr-deep.example/"}]}]},
  "other": {"name": "其他书签", "type": "folder", "children": []},
  "synced": {"name": "", "type": "folder", "children": [
    {"name": "Phone", "type": "url", "url": "http://cr-phone.example/"}]}}})";

QString Home() {
    return QDir::homePath();
}
QString Config() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
}

void Write(const QString& path, const QByteArray& bytes) {
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

std::string Names(const BookmarkNode& node) {
    std::string out = node.folder ? "[" + node.name : node.name + "=" + node.url;
    for (const BookmarkNode& child : node.children)
        out += " " + Names(child);
    return node.folder ? out + "]" : out;
}

class BrowserFavoritesTest : public ::testing::Test {
protected:
    void TearDown() override {
        if (QSqlDatabase::contains("firefox")) {
            QSqlDatabase::database("firefox").close();
            QSqlDatabase::removeDatabase("firefox");
        }
        for (const QString& folder :
             {Home() + "/Favorites", Home() + "/.mozilla", Config() + "/chromium",
              Config() + "/google-chrome", Config() + "/microsoft-edge"})
            QDir(folder).removeRecursively();
    }

    // A profile as Firefox leaves it while running: the data still in the
    // write-ahead log, the database locked against every other reader.
    QString RunningFirefox() {
        const QString profiles = Home() + "/.mozilla/firefox";
        Write(profiles + "/profiles.ini", "[Profile0]\nName=old\nIsRelative=1\nPath=old.default\n"
                                          "Default=1\n\n[Install4F96D1932A9F858E]\n"
                                          "Default=ab12.default-release\nLocked=1\n");
        const QString places = profiles + "/ab12.default-release/places.sqlite";
        QDir().mkpath(QFileInfo(places).path());
        QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "firefox");
        db.setDatabaseName(places);
        EXPECT_TRUE(db.open());
        QSqlQuery query(db);
        for (const char* statement : {"PRAGMA locking_mode=EXCLUSIVE", "PRAGMA journal_mode=WAL",
                                      "PRAGMA wal_autocheckpoint=0"})
            EXPECT_TRUE(query.exec(statement));
        for (const char* statement : kPlacesSchema)
            EXPECT_TRUE(query.exec(QString::fromUtf8(statement))) << statement;
        return places;
    }
};

TEST_F(BrowserFavoritesTest, FirefoxAndChromiumBookmarksAreFoldersOfOneTree) {
    const QString places = RunningFirefox();
    ASSERT_TRUE(QFile::exists(places + "-wal"));
    Write(Config() + "/chromium/Default/Bookmarks", kChromium);

    const platform::BrowserFavorites favorites = platform::ReadBrowserFavorites();
    EXPECT_TRUE(favorites.found);
    EXPECT_TRUE(favorites.unreadable.empty());
    EXPECT_EQ(Names(favorites.root), "[ [书签菜单 菜单链接=http://fx-menu.example/]"
                                     " [书签工具栏 [Work Work site=http://fx-work.example/]]"
                                     " [其他书签] [移动设备书签]"
                                     " [书签栏 Chromium 链接=http://cr-bar.example/"
                                     " [Folder Deep=http://cr-deep.example/]]"
                                     " [其他书签] [移动设备书签 Phone=http://cr-phone.example/]]");
    EXPECT_EQ(favorites.root.children[0].children[0].addDate, 1700000000);
    EXPECT_EQ(favorites.root.children[4].children[0].addDate, 13300000000 - 11644473600);
}

TEST_F(BrowserFavoritesTest, AnUnreadableStoreIsNamedAndTheOthersStillRead) {
    Write(Config() + "/chromium/Default/Bookmarks", kChromium);
    Write(Config() + "/google-chrome/Default/Bookmarks", "{\"version\": 1, \"roots\": {");
    Write(Config() + "/microsoft-edge/Default/Bookmarks", "{\"version\": 9, \"roots\": {}}");
    Write(Home() + "/.mozilla/firefox/profiles.ini", "[Profile0]\nPath=x.default\nDefault=1\n");
    Write(Home() + "/.mozilla/firefox/x.default/places.sqlite", "not a database at all");

    const platform::BrowserFavorites favorites = platform::ReadBrowserFavorites();
    EXPECT_TRUE(favorites.found);
    EXPECT_EQ(favorites.unreadable,
              (std::vector<std::string>{
                  (Home() + "/.mozilla/firefox/x.default/places.sqlite").toStdString(),
                  (Config() + "/google-chrome/Default/Bookmarks").toStdString(),
                  (Config() + "/microsoft-edge/Default/Bookmarks").toStdString()}));
    ASSERT_EQ(favorites.root.children.size(), 3u);
    EXPECT_EQ(favorites.root.children[0].name, "书签栏");

    // A folder of internet shortcuts, when there is one, is the only source.
    Write(Home() + "/Favorites/News/B.url", "[InternetShortcut]\nURL=http://b.example/\n");
    EXPECT_EQ(Names(platform::ReadBrowserFavorites().root), "[ [News B=http://b.example/]]");
}

} // namespace
