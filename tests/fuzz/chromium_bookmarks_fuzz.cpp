// A Chromium-family Bookmarks file is whatever is on disk: any bytes give a
// tree or none, never one deeper than the walk over it is built for.
#include <QByteArray>

#include "fuzz/fuzz_check.h"
#include "platform/freedesktop/browser_sources.h"

namespace {

std::size_t Depth(const BookmarkNode& node) {
    std::size_t deepest = 0;
    for (const BookmarkNode& child : node.children) {
        FUZZ_CHECK(node.folder);
        deepest = std::max(deepest, Depth(child));
    }
    return deepest + 1;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray json(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    if (const std::optional<BookmarkNode> tree = ChromiumBookmarksFromJson(json)) {
        FUZZ_CHECK(tree->children.size() <= 3);
        FUZZ_CHECK(Depth(*tree) <= 34);
    }
    return 0;
}
