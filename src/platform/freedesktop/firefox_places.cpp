// Firefox keeps its bookmarks in an SQLite database that a running Firefox
// holds locked; a copy taken together with its write-ahead log is read instead.
#include <QFile>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QVariant>
#include <map>
#include <set>
#include <vector>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/freedesktop/browser_sources.h"

namespace {

constexpr int kFolder = 2;
constexpr int kBookmark = 1;
constexpr std::size_t kMaxDepth = 32;

struct Row {
    int type = 0;
    QString title;
    QString url;
    qint64 added = 0;
    QString guid;
};

// The built-in top folders carry internal titles; users know them by these.
QString TopFolderName(const Row& row) {
    static const std::map<QString, QString> names = {{"menu________", "书签菜单"},
                                                     {"toolbar_____", "书签工具栏"},
                                                     {"unfiled_____", "其他书签"},
                                                     {"mobile______", "移动设备书签"}};
    const auto it = names.find(row.guid);
    return it != names.end() ? it->second : row.title;
}

class Tree {
public:
    Tree(std::map<qint64, Row> rows, std::map<qint64, std::vector<qint64>> children)
        : rows_(std::move(rows)), children_(std::move(children)) {}

    BookmarkNode Build() {
        BookmarkNode root = BookmarkNode::Folder("");
        const qint64 rootId = RootId();
        visited_.insert(rootId);
        for (const qint64 id : children_[rootId]) {
            const Row& row = rows_[id];
            if (row.type != kFolder || row.guid == "tags________" || !visited_.insert(id).second)
                continue;
            BookmarkNode top = BookmarkNode::Folder(TopFolderName(row).toStdString());
            Fill(top, id, 1);
            root.children.push_back(std::move(top));
        }
        return root;
    }

private:
    qint64 RootId() const {
        for (const auto& [id, row] : rows_)
            if (row.guid == "root________")
                return id;
        const auto top = children_.find(0);
        return top != children_.end() && !top->second.empty() ? top->second.front() : 1;
    }

    // A damaged database may hold a cycle: every row is visited once.
    void Fill(BookmarkNode& folder, qint64 folderId, std::size_t depth) {
        for (const qint64 id : children_[folderId]) {
            if (!visited_.insert(id).second)
                continue;
            const Row& row = rows_[id];
            if (row.type == kFolder) {
                BookmarkNode sub = BookmarkNode::Folder(row.title.toStdString());
                Fill(depth < kMaxDepth ? sub : folder, id, depth + 1);
                if (depth < kMaxDepth)
                    folder.children.push_back(std::move(sub));
            } else if (row.type == kBookmark && !row.url.isEmpty() &&
                       !row.url.startsWith("place:")) {
                folder.children.push_back(BookmarkNode::Link(row.title.toStdString(),
                                                             row.url.toStdString(),
                                                             SecondsFromFirefoxTime(row.added)));
            }
        }
    }

    std::map<qint64, Row> rows_;
    std::map<qint64, std::vector<qint64>> children_;
    std::set<qint64> visited_;
};

// Copies a plain file of at most kBrowserStoreBound bytes: a FIFO or a device
// in the profile is refused without blocking, and nothing reads on for ever.
bool CopyRegularFile(const QString& from, const QString& to) {
    const int fd =
        ::open(QFile::encodeName(from).constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0)
        return false;
    QFile source;
    QFile target(to);
    struct stat status {};
    bool ok = ::fstat(fd, &status) == 0 && S_ISREG(status.st_mode) &&
              static_cast<std::size_t>(status.st_size) <= kBrowserStoreBound &&
              source.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle) &&
              target.open(QIODevice::WriteOnly);
    if (!source.isOpen())
        ::close(fd);
    std::size_t copied = 0;
    while (ok && !source.atEnd() && copied <= kBrowserStoreBound) {
        const QByteArray chunk = source.read(1 << 16);
        ok = !chunk.isEmpty() && target.write(chunk) == chunk.size();
        copied += static_cast<std::size_t>(chunk.size());
    }
    return ok && copied <= kBrowserStoreBound;
}

bool CopyWithLog(const QString& placesFile, const QString& copy) {
    if (!CopyRegularFile(placesFile, copy))
        return false;
    const QString log = placesFile + "-wal";
    return !QFileInfo::exists(log) || CopyRegularFile(log, copy + "-wal");
}

} // namespace

std::optional<BookmarkNode> ReadFirefoxPlaces(const QString& placesFile) {
    QTemporaryDir folder;
    const QString copy = folder.filePath("places.sqlite");
    if (!folder.isValid() || !CopyWithLog(placesFile, copy))
        return std::nullopt;

    static int connections = 0;
    const QString connection = QString("tavinor-places-%1").arg(++connections);
    std::map<qint64, Row> rows;
    std::map<qint64, std::vector<qint64>> children;
    bool read = false;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", connection);
        db.setDatabaseName(copy);
        if (db.open()) {
            QSqlQuery query(db);
            read = query.exec("SELECT b.id, b.type, b.parent, b.title, p.url, b.dateAdded, b.guid "
                              "FROM moz_bookmarks b LEFT JOIN moz_places p ON p.id = b.fk "
                              "ORDER BY b.parent, b.position, b.id");
            while (read && query.next()) {
                const qint64 id = query.value(0).toLongLong();
                rows[id] = {query.value(1).toInt(), query.value(3).toString(),
                            query.value(4).toString(), query.value(5).toLongLong(),
                            query.value(6).toString()};
                children[query.value(2).toLongLong()].push_back(id);
            }
            db.close();
        }
    }
    QSqlDatabase::removeDatabase(connection);
    if (!read)
        return std::nullopt;
    return Tree(std::move(rows), std::move(children)).Build();
}
