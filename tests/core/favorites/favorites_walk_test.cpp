#include <filesystem>
#include <gtest/gtest.h>

#include "core/favorites/favorites_walk.h"
#include "core/favorites/shortcut_folder.h"
#include "core/store/store_load.h"
#include "core/text/utf8_path.h"
#include "support/temp_dir.h"

namespace {

const std::string kRootCategory = "IE\xB8\xF9\xC4\xBF\xC2\xBC"; // IE根目录

class FavoritesWalkTest : public ::testing::Test {
protected:
    TempDir dir;
    TempDir favorites;
    Store store;

    void SetUp() override {
        store.path = dir.File("tvr.dat");
        LoadStoreFile(store, "http://site/", "now");
    }
    void Shortcut(const std::string& relative, const std::string& url) {
        const std::filesystem::path path = PathOf(favorites.path() + "/" + relative);
        std::filesystem::create_directories(path.parent_path());
        WriteBytes(Utf8Of(path), url.empty() ? "[InternetShortcut]\r\nIconIndex=0\r\n"
                                             : "[DEFAULT]\r\nBASEURL=x\r\n[InternetShortcut]\r\n"
                                               "URL=" +
                                                   url + "\r\n");
    }
    int Import(const BookmarkNode& root) { return ImportFavoritesFolder(store, root, "now").added; }
    std::string CategoryName(int row) const { return store.categories[row].name; }
    // The category name of the item whose title is `title`.
    std::string CategoryOf(const std::string& title) const {
        for (const FavoriteItem& item : store.items)
            if (item.title == title)
                for (int row = 0; row < store.header.categoryCount; ++row)
                    if (store.categories[row].id == item.categoryId)
                        return CategoryName(row);
        return "(none)";
    }
};

TEST_F(FavoritesWalkTest, FolderTreeBecomesCategoriesInTheOrderTheWalkMeetsThem) {
    Shortcut("A.url", "http://a.example/");
    Shortcut("News/B.url", "http://b.example/");
    Shortcut("News/Local/C.URL", "https://c.example/");
    Shortcut("NoAddress.Url", "");
    Shortcut(".hidden.url", "http://hidden.example/");
    Shortcut(".private/D.url", "http://d.example/");
    WriteBytes(favorites.path() + "/notes.txt", "URL=http://text.example/");

    WriteBytes(favorites.path() + "/Bom.url",
               "\xEF\xBB\xBF[InternetShortcut]\r\nURL=http://bom.example/\r\n");

    const WalkOutcome outcome =
        ImportFavoritesFolder(store, ReadShortcutFolder(favorites.path()), "now");
    EXPECT_EQ(outcome.added, 4);
    EXPECT_EQ(outcome.skipped, 1) << "the shortcut without an address";
    ASSERT_EQ(store.header.categoryCount, 4);
    EXPECT_EQ(CategoryName(1), kRootCategory);
    EXPECT_EQ(CategoryName(2), "News");
    EXPECT_EQ(CategoryName(3), "Local");
    EXPECT_EQ(CategoryOf("A"), kRootCategory);
    EXPECT_EQ(CategoryOf("B"), "News");
    EXPECT_EQ(CategoryOf("C"), "Local");
    EXPECT_EQ(CategoryOf("Bom"), kRootCategory);
    EXPECT_EQ(CategoryOf("NoAddress"), "(none)");
    EXPECT_EQ(CategoryOf("D"), "(none)");
    EXPECT_EQ(CategoryOf(".hidden"), "(none)");

    EXPECT_EQ(ReadBytes(store.path).size(), 2888u + 5 * 364) << "each saved as it was added";

    // Again: nothing new.
    EXPECT_EQ(ImportFavoritesFolder(store, ReadShortcutFolder(favorites.path()), "now").misplaced,
              0);
    EXPECT_EQ(store.header.categoryCount, 4);
}

// As a Chinese system names them: folder and file names are read as UTF-8
// text on every system.
TEST_F(FavoritesWalkTest, ChineseFolderAndShortcutNames) {
    const std::string news = "\u65B0\u95FB", baidu = "\u767E\u5EA6"; // 新闻, 百度
    Shortcut(news + "/" + baidu + ".url", "http://baidu.example/");
    EXPECT_EQ(Import(ReadShortcutFolder(favorites.path())), 1);
    EXPECT_EQ(CategoryOf(baidu), news);
}

TEST_F(FavoritesWalkTest, LongFolderNamesFindTheirCategoryAsStored) {
    // 13 double-byte characters: stored as 12, never half of one.
    std::string wide;
    for (int i = 0; i < 13; ++i)
        wide += "\xD0\xC2";
    BookmarkNode root = BookmarkNode::Folder("");
    for (const std::string& name : {std::string(30, 'x'), wide}) {
        BookmarkNode folder = BookmarkNode::Folder(name);
        folder.children = {BookmarkNode::Link("1", "http://1." + std::to_string(name.size())),
                           BookmarkNode::Link("2", "http://2." + std::to_string(name.size()))};
        root.children.push_back(folder);
    }
    EXPECT_EQ(Import(root), 4);
    ASSERT_EQ(store.header.categoryCount, 3);
    EXPECT_EQ(CategoryName(1), std::string(25, 'x'));
    EXPECT_EQ(CategoryName(2), wide.substr(0, 24));
}

TEST_F(FavoritesWalkTest, WithTwentyCategoriesNewFoldersGoToTheLastAndAreCountedForOneNotice) {
    for (int i = 1; i < 20; ++i)
        ASSERT_EQ(AddCategory(store, "c" + std::to_string(i)), AddCategoryResult::Added);
    BookmarkNode folder = BookmarkNode::Folder("Fresh");
    folder.children = {BookmarkNode::Link("x", "http://x/"), BookmarkNode::Link("y", "http://y/")};
    BookmarkNode root = BookmarkNode::Folder("");
    root.children = {folder};

    const WalkOutcome outcome = ImportFavoritesFolder(store, root, "now");
    EXPECT_EQ(outcome.added, 2);
    EXPECT_EQ(outcome.misplaced, 2);
    EXPECT_EQ(outcome.lastCategory, "c19");
    EXPECT_EQ(outcome.refusal, AddCategoryResult::TooMany);
    EXPECT_EQ(store.header.categoryCount, 20);
    EXPECT_EQ(CategoryOf("x"), "c19");
    EXPECT_EQ(CategoryOf("y"), "c19");
}

} // namespace
