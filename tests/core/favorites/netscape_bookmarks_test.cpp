#include <ctime>
#include <gtest/gtest.h>

#include "core/favorites/favorite_ops.h"
#include "core/favorites/favorites_walk.h"
#include "core/favorites/netscape_bookmarks.h"
#include "core/store/store_load.h"
#include "support/temp_dir.h"

namespace {

TEST(NetscapeBookmarks, AnExportReadsBackAsTheSameCategoriesAndLinks) {
    TempDir dir;
    Store store;
    store.path = dir.File("tvr.dat");
    LoadStoreFile(store, "http://site/", "2026/3/5 14:22:01");
    AddCategory(store, "Tools & <Things>");
    AddFavorite(store, 1, "http://q.example/?a=1&b=\"2\"", "Search <fast> & \"good\"",
                "2026-3-5 14:22:01");
    AddFavorite(store, 0, "http://plain.example/", "", "sometime");
    AddCategory(store, "Empty");

    const std::optional<BookmarkNode> tree = DataFileBookmarks(store.path);
    ASSERT_TRUE(tree);
    const std::string html = WriteNetscapeBookmarks(*tree);
    EXPECT_TRUE(IsNetscapeBookmarkFile(html));
    EXPECT_NE(html.find("charset=UTF-8"), std::string::npos);
    EXPECT_NE(html.find("<H3>Tools &amp; &lt;Things&gt;</H3>"), std::string::npos);
    EXPECT_NE(html.find("HREF=\"http://q.example/?a=1&amp;b=&quot;2&quot;\""), std::string::npos);
    EXPECT_NE(html.find("ADD_DATE=\"" + std::to_string(AddedAtSeconds("2026/3/5 14:22:01"))),
              std::string::npos);
    EXPECT_EQ(html.find("ADD_DATE=\"0\""), std::string::npos) << "no date where none parses";
    EXPECT_EQ(AddedAtSeconds("2026/3/5 14:22:01") - AddedAtSeconds("2026-3-5 14:21"), 61);

    // Read into another store: same categories, same links, in order.
    Store other;
    other.path = dir.File("other.dat");
    LoadStoreFile(other, "http://elsewhere/", "now");
    EXPECT_EQ(ImportFavoritesFolder(other, ReadNetscapeBookmarks(html), "now").added, 3);
    ASSERT_EQ(other.header.categoryCount, 2);
    EXPECT_EQ(std::string(other.categories[1].name), "Tools & <Things>");
    ASSERT_EQ(other.items.size(), 4u);
    EXPECT_EQ(other.items[1].url, "http://site/");
    EXPECT_EQ(other.items[2].url, "http://plain.example/");
    EXPECT_EQ(other.items[3].url, "http://q.example/?a=1&b=\"2\"");
    EXPECT_EQ(other.items[3].title, "Search <fast> & \"good\"");
    // Into the store it came from: nothing new.
    EXPECT_EQ(ImportFavoritesFolder(store, ReadNetscapeBookmarks(html), "now").added, 0);
}

TEST(NetscapeBookmarks, ReadsWhatBrowsersWrite) {
    const std::string file = "\xEF\xBB\xBF  <!doctype netscape-bookmark-file-1>\n"
                             "<META HTTP-EQUIV=\"Content-Type\" CONTENT=\"text/html; "
                             "charset=UTF-8\">\n<TITLE>Bookmarks</TITLE>\n<H1>Bookmarks Menu</H1>\n"
                             "<DL><p>\n"
                             "  <DT><A HREF=\"http://top/\" ADD_DATE=\"1700000000\" "
                             "ICON=\"data:x\">Top &#26032;&#x95FB;</A>\n"
                             "  <DD>a description that is not a link\n"
                             "  <!-- <DT><A HREF=\"http://commented/\">no</A> -->\n"
                             "  <DT><H3 ADD_DATE=\"1\" PERSONAL_TOOLBAR_FOLDER=\"true\">Bar</H3>\n"
                             "  <DL><p>\n"
                             "    <dt><a href='http://single/'>Single</a>\n"
                             "    <DT><A>no address</A>\n"
                             "    <DT><H3>Inner</H3>\n"
                             "    <DL><p>\n"
                             "      <DT><A HREF=\"javascript:alert(1)\">Script\n"
                             "    </DL><p>\n"
                             "  </DL><p>\n"
                             "</DL>\n";
    ASSERT_TRUE(IsNetscapeBookmarkFile(file));
    const BookmarkNode root = ReadNetscapeBookmarks(file);
    ASSERT_EQ(root.children.size(), 2u);
    EXPECT_EQ(root.children[0].url, "http://top/");
    EXPECT_EQ(root.children[0].name, "Top \xE6\x96\xB0\xE9\x97\xBB"); // Top 新闻
    EXPECT_EQ(root.children[0].addDate, 1700000000);
    const BookmarkNode& bar = root.children[1];
    ASSERT_TRUE(bar.folder);
    EXPECT_EQ(bar.name, "Bar");
    ASSERT_EQ(bar.children.size(), 3u);
    EXPECT_EQ(bar.children[0].url, "http://single/");
    EXPECT_EQ(bar.children[1].url, "") << "kept without an address, for the import to count";
    ASSERT_EQ(bar.children[2].children.size(), 1u);
    EXPECT_EQ(bar.children[2].children[0].name, "Script");
    EXPECT_EQ(bar.children[2].children[0].url, "javascript:alert(1)");
    EXPECT_FALSE(IsNetscapeBookmarkFile("<html><body>hello</body></html>"));
}

TEST(NetscapeBookmarks, ALinkWhoseQuoteNeverClosesHasNoAddressAndTheNextLinkStillReads) {
    const std::string file = "<!DOCTYPE NETSCAPE-Bookmark-file-1>\n<DL><p>\n"
                             "<DT><A HREF=\"http://cut.example/ ADD_DATE=1>Cut</A>\n"
                             "<DT><A HREF=\"http://next.example/\">Next</A>\n"
                             "<DT><A HREF=\"";
    const BookmarkNode root = ReadNetscapeBookmarks(file);
    ASSERT_EQ(root.children.size(), 3u);
    EXPECT_EQ(root.children[0].url, "");
    EXPECT_EQ(root.children[1].url, "http://next.example/");
    EXPECT_EQ(root.children[1].name, "Next");
    EXPECT_EQ(root.children[2].url, "");

    // Such links are counted, never stored as blank favorites.
    TempDir dir;
    Store store;
    store.path = dir.File("tvr.dat");
    LoadStoreFile(store, "http://site/", "now");
    const WalkOutcome outcome = ImportFavoritesFolder(store, root, "now");
    EXPECT_EQ(outcome.added, 1);
    EXPECT_EQ(outcome.skipped, 2);
    EXPECT_EQ(store.header.categoryCount, 2) << "only the category of the good link";
}

TEST(NetscapeBookmarks, DeepNestingIsFlattenedNotFollowedForever) {
    std::string file = "<!DOCTYPE NETSCAPE-Bookmark-file-1>\n<DL><p>\n";
    for (int i = 0; i < 5000; ++i)
        file += "<DT><H3>f</H3><DL><p>\n";
    file += "<DT><A HREF=\"http://deep/\">deep</A>\n";
    BookmarkNode root = ReadNetscapeBookmarks(file);
    int depth = 0;
    const BookmarkNode* node = &root;
    while (!node->children.empty() && node->children.back().folder) {
        node = &node->children.back();
        ++depth;
    }
    EXPECT_LT(depth, 40);
    ASSERT_FALSE(node->children.empty());
    EXPECT_EQ(node->children.back().url, "http://deep/");
}

// Some exporters write the whole file on one line; processor time, not the
// clock, so a busy machine does not decide.
TEST(NetscapeBookmarks, AFileOnOneLineReadsTheSameAndAsFastAsOneWithLineBreaks) {
    auto file = [](const char* separator) {
        std::string text = "<!DOCTYPE NETSCAPE-Bookmark-file-1><DL><p>";
        for (int n = 0; n < 50000; ++n)
            text += "<DT><H3>F" + std::to_string(n % 7) + "</H3><DL><p><DT><A HREF=\"http://s" +
                    std::to_string(n) + ".example/\" ADD_DATE='7'>T &amp;&amp " +
                    std::to_string(n) + "</A></DL><p>" + separator;
        return text;
    };
    auto parse = [](const std::string& text, std::clock_t& spent) {
        const std::clock_t start = std::clock();
        BookmarkNode root = ReadNetscapeBookmarks(text);
        spent = std::clock() - start;
        return root;
    };
    std::clock_t lines = 0, oneLine = 0;
    const BookmarkNode expected = parse(file("\n"), lines);
    const BookmarkNode read = parse(file(""), oneLine);
    ASSERT_EQ(read.children.size(), 50000u);
    EXPECT_EQ(read.children[49999].children.at(0).url, "http://s49999.example/");
    EXPECT_EQ(read.children[49999].children.at(0).name, "T &&amp 49999");
    EXPECT_EQ(read.children[49999].children.at(0).addDate,
              expected.children[49999].children.at(0).addDate);
    EXPECT_LT(oneLine, 3 * lines + CLOCKS_PER_SEC / 10);
}

} // namespace
