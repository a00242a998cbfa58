// A bookmark file comes from any browser or any hand: reading it never goes
// wrong, and what the program writes of the tree it read reads back the same.
#include "core/favorites/netscape_bookmarks.h"
#include "fuzz/fuzz_check.h"

namespace {

std::size_t Depth(const BookmarkNode& node) {
    std::size_t deepest = 0;
    for (const BookmarkNode& child : node.children)
        deepest = std::max(deepest, Depth(child));
    return deepest + 1;
}

bool Same(const BookmarkNode& a, const BookmarkNode& b) {
    if (a.folder != b.folder || a.name != b.name || a.url != b.url || a.addDate != b.addDate ||
        a.children.size() != b.children.size())
        return false;
    for (std::size_t i = 0; i < a.children.size(); ++i)
        if (!Same(a.children[i], b.children[i]))
            return false;
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    IsNetscapeBookmarkFile(text);
    const BookmarkNode tree = ReadNetscapeBookmarks(text);
    FUZZ_CHECK(tree.folder && Depth(tree) <= 33);
    const std::string written = WriteNetscapeBookmarks(tree);
    FUZZ_CHECK(IsNetscapeBookmarkFile(written));
    FUZZ_CHECK(Same(ReadNetscapeBookmarks(written), tree));
    return 0;
}
