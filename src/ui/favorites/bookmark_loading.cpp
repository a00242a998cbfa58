#include <QFile>
#include <QThread>
#include <memory>

#include "core/favorites/netscape_bookmarks.h"
#include "platform/platform.h"
#include "ui/favorites/bookmark_loading.h"
#include "ui/favorites/bookmark_text.h"

LoadedBookmarks LoadBookmarkFile(const QString& path, qint64 bound) {
    LoadedBookmarks loaded;
    QFile file(path);
    // One that cannot be opened gives nothing, as a data file does.
    if (!file.open(QIODevice::ReadOnly))
        return loaded;
    QByteArray text = file.read(bound);
    if (!file.atEnd()) {
        // Cut where a line ends, so no entry is read half.
        text.truncate(text.lastIndexOf('\n') + 1);
        loaded.fileSize = file.size();
        loaded.readSize = text.size();
    }
    loaded.root = ReadNetscapeBookmarks(std::string_view(text.constData(), text.size()));
    text.clear();
    BookmarksToGbk(loaded.root);
    return loaded;
}

LoadedBookmarks LoadBrowserFavorites() {
    platform::BrowserFavorites favorites = platform::ReadBrowserFavorites();
    LoadedBookmarks loaded;
    loaded.found = favorites.found;
    loaded.shortcutFolder = favorites.shortcutFolder;
    loaded.unreadable = std::move(favorites.unreadable);
    loaded.root = std::move(favorites.root);
    if (loaded.shortcutFolder)
        ShortcutsToGbk(loaded.root);
    else
        BookmarksToGbk(loaded.root);
    return loaded;
}

void LoadInBackground(QObject* context, std::function<LoadedBookmarks()> load,
                      std::function<void(LoadedBookmarks&)> done) {
    auto result = std::make_shared<LoadedBookmarks>();
    QThread* thread = QThread::create([result, load = std::move(load)] { *result = load(); });
    QObject::connect(thread, &QThread::finished, context,
                     [result, done = std::move(done)] { done(*result); });
    QObject::connect(thread, &QThread::finished, thread, &QObject::deleteLater);
    thread->start();
}

void DisposeInBackground(std::shared_ptr<void> object) {
    QThread* thread = QThread::create([object = std::move(object)]() mutable { object.reset(); });
    QObject::connect(thread, &QThread::finished, thread, &QObject::deleteLater);
    thread->start();
}
