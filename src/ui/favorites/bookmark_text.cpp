#include "ui/favorites/bookmark_text.h"
#include "core/favorites/bookmark_tree.h"
#include "ui/text/gbk_codec.h"

namespace {

template <typename Convert> void ConvertAll(BookmarkNode& node, Convert convert) {
    node.name = convert(node.name);
    node.url = convert(node.url);
    for (BookmarkNode& child : node.children)
        ConvertAll(child, convert);
}

} // namespace

void BookmarksToGbk(BookmarkNode& node) {
    ConvertAll(node, [](const std::string& utf8) { return ToGbk(QString::fromStdString(utf8)); });
}

void BookmarksFromGbk(BookmarkNode& node) {
    ConvertAll(node, [](const std::string& gbk) { return FromGbk(gbk).toStdString(); });
}
