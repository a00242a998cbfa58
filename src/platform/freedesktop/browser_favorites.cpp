// Where the user's browser favorites live on Linux.
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

#include "core/favorites/ini_text.h"
#include "core/favorites/shortcut_folder.h"
#include "core/store/read_file.h"
#include "platform/freedesktop/browser_sources.h"
#include "platform/platform.h"

namespace {

QString Home() {
    return QDir::homePath();
}

QString ReadText(const QString& path) {
    return QString::fromStdString(ReadRegularFile(path.toStdString(), 1 << 20).value_or(""));
}

// The default profile's folder in a Firefox profiles folder: the one the
// newest installation uses, else the one marked as default.
QString DefaultFirefoxProfile(const QString& firefox) {
    const std::vector<IniSection> sections =
        ParseIni(ReadText(firefox + "/profiles.ini").toStdString());
    auto place = [&](const std::string& path, bool relative) {
        return relative ? firefox + "/" + QString::fromStdString(path)
                        : QString::fromStdString(path);
    };
    for (const IniSection& section : sections)
        if (section.name.rfind("Install", 0) == 0) {
            const std::string path = IniValue({section}, section.name, "Default");
            if (!path.empty())
                return place(path, path[0] != '/');
        }
    for (const IniSection& section : sections)
        if (section.name.rfind("Profile", 0) == 0 &&
            IniValue({section}, section.name, "Default") == "1")
            return place(IniValue({section}, section.name, "Path"),
                         IniValue({section}, section.name, "IsRelative") != "0");
    return {};
}

QStringList FirefoxPlaces() {
    const QString config = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    QStringList found;
    for (const QString& firefox : {Home() + "/.mozilla/firefox", config + "/mozilla/firefox",
                                   Home() + "/snap/firefox/common/.mozilla/firefox"}) {
        const QString profile = DefaultFirefoxProfile(firefox);
        if (!profile.isEmpty() && QFileInfo::exists(profile + "/places.sqlite"))
            found << profile + "/places.sqlite";
    }
    return found;
}

QStringList ChromiumBookmarks() {
    const QString config = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    QStringList found;
    for (const char* browser : {"chromium", "google-chrome", "google-chrome-beta", "microsoft-edge",
                                "BraveSoftware/Brave-Browser", "vivaldi"}) {
        const QString file = config + "/" + browser + "/Default/Bookmarks";
        if (QFileInfo::exists(file))
            found << file;
    }
    return found;
}

void Take(platform::BrowserFavorites& favorites, const QString& source,
          const std::optional<BookmarkNode>& tree) {
    favorites.found = true;
    if (!tree) {
        favorites.unreadable.push_back(source.toStdString());
        return;
    }
    for (const BookmarkNode& top : tree->children)
        favorites.root.children.push_back(top);
}

} // namespace

namespace platform {

BrowserFavorites ReadBrowserFavorites() {
    BrowserFavorites favorites;
    const QString shortcuts = Home() + "/Favorites";
    if (QFileInfo(shortcuts).isDir()) {
        favorites.found = true;
        favorites.shortcutFolder = true;
        favorites.root = ReadShortcutFolder(shortcuts.toStdString());
        return favorites;
    }
    for (const QString& places : FirefoxPlaces())
        Take(favorites, places, ReadFirefoxPlaces(places));
    for (const QString& bookmarks : ChromiumBookmarks())
        Take(favorites, bookmarks, ReadChromiumBookmarks(bookmarks));
    return favorites;
}

} // namespace platform
