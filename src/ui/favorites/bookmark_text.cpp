#include <optional>

#include "core/favorites/bookmark_tree.h"
#include "core/text/text_encoding.h"
#include "ui/favorites/bookmark_text.h"
#include "ui/text/gbk_codec.h"

namespace {

template <typename Convert> void ConvertAll(BookmarkNode& node, Convert convert) {
    node.name = convert(node.name);
    node.url = convert(node.url);
    for (BookmarkNode& child : node.children)
        ConvertAll(child, convert);
}

std::optional<std::string> LocalTextToGbk(const std::string& bytes) {
    const std::string_view text = WithoutUtf8Bom(bytes);
    if (IsUtf8(text))
        return ToGbk(QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
    if (IsGbk(text))
        return std::string(text);
    return std::nullopt;
}

} // namespace

void BookmarksToGbk(BookmarkNode& node) {
    ConvertAll(node, [](const std::string& utf8) { return ToGbk(QString::fromStdString(utf8)); });
}

void BookmarksFromGbk(BookmarkNode& node) {
    ConvertAll(node, [](const std::string& gbk) { return FromGbk(gbk).toStdString(); });
}

void ShortcutsToGbk(BookmarkNode& node) {
    node.name = LocalTextToGbk(node.name).value_or(ToGbk(FromGbk(node.name)));
    node.url = LocalTextToGbk(node.url).value_or(std::string());
    for (BookmarkNode& child : node.children)
        ShortcutsToGbk(child);
}
