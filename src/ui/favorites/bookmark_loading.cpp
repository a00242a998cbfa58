#include <QFileInfo>
#include <optional>

#include "core/favorites/netscape_bookmarks.h"
#include "core/store/read_file.h"
#include "platform/platform.h"
#include "ui/favorites/bookmark_loading.h"
#include "ui/favorites/bookmark_text.h"

LoadedBookmarks LoadBookmarkFile(const QString& path, qint64 bound) {
    LoadedBookmarks loaded;
    // One that cannot be read gives nothing, as a data file does; one more
    // byte than the bound tells a file that goes on.
    std::optional<std::string> text =
        ReadRegularFile(path.toStdString(), static_cast<std::size_t>(bound) + 1);
    if (!text)
        return loaded;
    if (text->size() > static_cast<std::size_t>(bound)) {
        // Cut where a line ends, so no entry is read half.
        const std::size_t lineEnd = text->rfind('\n', static_cast<std::size_t>(bound) - 1);
        text->resize(lineEnd == std::string::npos ? 0 : lineEnd + 1);
        loaded.fileSize = QFileInfo(path).size();
        loaded.readSize = static_cast<qint64>(text->size());
    }
    loaded.root = ReadNetscapeBookmarks(*text);
    text.reset();
    BookmarksToGbk(loaded.root);
    return loaded;
}

LoadedBookmarks LoadBrowserFavorites() {
    platform::BrowserFavorites favorites = platform::ReadBrowserFavorites();
    LoadedBookmarks loaded;
    loaded.found = favorites.found;
    loaded.unreadable = std::move(favorites.unreadable);
    loaded.root = std::move(favorites.root);
    if (favorites.shortcutFolder)
        ShortcutsToGbk(loaded.root);
    else
        BookmarksToGbk(loaded.root);
    return loaded;
}
