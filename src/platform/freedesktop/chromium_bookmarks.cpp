// The Chromium family keeps its bookmarks in one JSON file per profile.
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include "core/store/read_file.h"
#include "platform/freedesktop/browser_sources.h"

namespace {

constexpr std::size_t kMaxDepth = 32;

void Fill(BookmarkNode& folder, const QJsonArray& children, std::size_t depth) {
    for (const QJsonValue& value : children) {
        const QJsonObject node = value.toObject();
        const std::string name = node.value("name").toString().toStdString();
        const QString type = node.value("type").toString();
        if (type == "folder") {
            BookmarkNode sub = BookmarkNode::Folder(name);
            const QJsonArray inner = node.value("children").toArray();
            Fill(depth < kMaxDepth ? sub : folder, inner, depth + 1);
            if (depth < kMaxDepth)
                folder.children.push_back(std::move(sub));
        } else if (type == "url") {
            // An address that is not text stays empty: the import counts
            // such a link instead of adding it.
            const qint64 added = node.value("date_added").toString().toLongLong();
            folder.children.push_back(BookmarkNode::Link(
                name, node.value("url").toString().toStdString(), SecondsFromChromiumTime(added)));
        }
    }
}

} // namespace

std::optional<BookmarkNode> ReadChromiumBookmarks(const QString& bookmarksFile) {
    // Only a plain file, and one of a size a browser writes: a link to a
    // device or a FIFO in its place must neither fill memory nor hang.
    const std::optional<std::string> json =
        ReadRegularFile(bookmarksFile.toStdString(), kBrowserStoreBound + 1);
    if (!json || json->size() > kBrowserStoreBound)
        return std::nullopt;
    return ChromiumBookmarksFromJson(
        QByteArray::fromRawData(json->data(), static_cast<qsizetype>(json->size())));
}

std::optional<BookmarkNode> ChromiumBookmarksFromJson(const QByteArray& json) {
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(json, &error);
    const QJsonObject top = document.object();
    if (error.error != QJsonParseError::NoError || top.value("version").toInt() != 1 ||
        !top.value("roots").isObject())
        return std::nullopt;

    // The roots' own names are the browser's; a file that lacks them gets
    // the names the browser shows.
    static const std::pair<const char*, const char*> kRoots[] = {
        {"bookmark_bar", "书签栏"}, {"other", "其他书签"}, {"synced", "移动设备书签"}};
    const QJsonObject roots = top.value("roots").toObject();
    BookmarkNode root = BookmarkNode::Folder("");
    for (const auto& [key, fallback] : kRoots) {
        const QJsonObject node = roots.value(key).toObject();
        if (node.isEmpty())
            continue;
        const QString name = node.value("name").toString();
        BookmarkNode folder =
            BookmarkNode::Folder((name.isEmpty() ? QString(fallback) : name).toStdString());
        Fill(folder, node.value("children").toArray(), 1);
        root.children.push_back(std::move(folder));
    }
    return root;
}
