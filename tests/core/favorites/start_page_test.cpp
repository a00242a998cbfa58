#include <cstring>
#include <filesystem>
#include <gtest/gtest.h>

#include "core/favorites/start_page.h"
#include "support/temp_dir.h"

namespace {

// The page's fixed text, written out independently of the generator.
const std::string kHead =
    R"(<!DOCTYPE html PUBLIC "-//W3C//DTD XHTML 1.0 Transitional//EN" "http://www.w3.org/TR/xhtml1/DTD/xhtml1-transitional.dtd">)"
    R"(<html xmlns="http://www.w3.org/1999/xhtml"><head><meta http-equiv="Content-Type" content="text/html; charset=gb2312"/><title>Mine</title>)"
    R"(<base target="_blank" /><style type="text/css">body{margin:auto;}img{border:none;}.container{width:1000px;margin:0 auto;}a:link,a:visited{text-decoration:none;color:#000;}a:hover{text-decoration:underline;color:#F00;})"
    R"(.box_inner{background-color:#ffffff;padding:0 0 1px 0px;}.box_outer{border:1px solid #6c95ff;padding:2px;background-color:#cce1ff;zoom:1;})"
    R"(.content_head{width:100%;font:normal 15px/1.5 arial,tahoma,helvetica,sans-arial;background-color:#cce1ff;font-weight:bold;height:22px;color:blue;text-align:center;})"
    R"(.box_inner td{font:normal 15px/1.5 arial,tahoma,helvetica,sans-arial;width:250px;height:30px;overflow:hidden;}.box_inner td a:link{margin-left:4px;margin-right:4px;})"
    R"(.box_inner td a:visited{margin-left:4px;margin-right:4px;})"
    R"(.dh td{font:normal 13px/1.5 arial,tahoma,helvetica,sans-arial;width:113px;border:1px solid #6c95ff;height:12px;}</style></head><body>)";
const std::string kNoLogo =
    R"(<div class='container'><table class="dh"><tr><td rowspan="3" style="border:0px;width:80px;"></td>)";
const std::string kBlankRow =
    R"(<td style="border:0px;">&nbsp;</td><td></td><td></td><td></td><td></td><td></td></tr>)";
const std::string kSections =
    R"(<div class="container"><div class="box_outer"><div class="box_inner" >)";
const std::string kClose = "</div></div></div><br/></body></html>";
const std::string kSite = "http://127.0.0.1:8642/";
const std::string kChinese = "\xB0\xB2"; // one double-byte character

std::string Repeat(const std::string& s, int n) {
    std::string out;
    while (n-- > 0)
        out += s;
    return out;
}

std::string NavCell(int i, const std::string& name) {
    return "<td><a href=\"#t" + std::to_string(i) + "\" target=\"_self\">" + name + "</a></td>";
}

std::string SectionHead(int i, const std::string& name) {
    return "<div class=\"content_head\" id=\"t" + std::to_string(i) + "\">" + name +
           "</div><table class=\"t" + std::to_string(i) + "\">";
}

std::string Link(const std::string& url, const std::string& text) {
    return "<td><a href=\"" + url + "\">" + text + "</a></td>";
}

Store WithCategories(int count) {
    Store store;
    store.header.categoryCount = count;
    for (int i = 0; i < count; ++i) {
        std::snprintf(store.categories[i].name, sizeof store.categories[i].name, "c%d", i);
        store.categories[i].id = static_cast<int8_t>(i);
    }
    return store;
}

void AddItem(Store& store, int8_t category, const std::string& title, const std::string& url) {
    FavoriteItem item;
    item.categoryId = category;
    item.title = title;
    item.url = url;
    store.items.push_back(item);
}

TEST(StartPage, OneEmptyCategoryWithoutLogo) {
    const Store store = WithCategories(1);
    const std::string expected = kHead + kNoLogo + kBlankRow + "<tr>" + NavCell(0, "c0") +
                                 Repeat("<td></td>", 6) + "</tr></table></div> " + kSections +
                                 SectionHead(0, "c0") + "</table>" + kClose;
    EXPECT_EQ(BuildStartPage(store, false, kSite), expected);
}

TEST(StartPage, FifteenCategoriesShareTheLogoRow) {
    const Store store = WithCategories(15);
    std::string nav;
    for (int i = 0; i < 15; ++i) {
        if (i == 7 || i == 14)
            nav += "<tr>";
        nav += NavCell(i, "c" + std::to_string(i));
        if (i == 6 || i == 13)
            nav += "</tr>";
    }
    nav += Repeat("<td></td>", 6) + "</tr></table></div> ";
    std::string sections;
    for (int i = 0; i < 15; ++i)
        sections += SectionHead(i, "c" + std::to_string(i)) + "</table>";
    EXPECT_EQ(BuildStartPage(store, false, kSite),
              kHead + kNoLogo + nav + kSections + sections + kClose);
    // Fourteen still have the blank row.
    EXPECT_NE(BuildStartPage(WithCategories(14), false, kSite).find(kBlankRow), std::string::npos);
}

TEST(StartPage, LongNamesAreCutInTheNavigationOnly) {
    Store store = WithCategories(2);
    const std::string twenty = Repeat(kChinese, 10);
    const std::string nineteen = "a" + Repeat(kChinese, 9);
    std::strcpy(store.categories[0].name, twenty.c_str());
    std::strcpy(store.categories[1].name, nineteen.c_str());
    const std::string expected = kHead + kNoLogo + kBlankRow + "<tr>" +
                                 NavCell(0, Repeat(kChinese, 7)) +
                                 NavCell(1, "a" + Repeat(kChinese, 6)) + Repeat("<td></td>", 5) +
                                 "</tr></table></div> " + kSections + SectionHead(0, twenty) +
                                 "</table>" + SectionHead(1, nineteen) + "</table>" + kClose;
    EXPECT_EQ(BuildStartPage(store, false, kSite), expected);
}

TEST(StartPage, TitlesCutAtTwentyEightBytesAndRowsOfFour) {
    Store store = WithCategories(1);
    const std::string exact(28, 't');
    const std::string longer = "a" + Repeat(kChinese, 14); // 29 bytes
    AddItem(store, 0, exact, "http://1.example/");
    AddItem(store, 0, longer, "http://2.example/");
    AddItem(store, 0, "  three  ", "http://3.example/");
    AddItem(store, 0, "four", "");
    AddItem(store, 0, "five", "http://5.example/");
    const std::string links = "<tr>" + Link("http://1.example/", exact) +
                              Link("http://2.example/", "a" + Repeat(kChinese, 13) + "...") +
                              Link("http://3.example/", "three") + Link("", "four") + "</tr>" +
                              "<tr>" + Link("http://5.example/", "five") + Repeat("<td></td>", 3) +
                              "</tr>";
    const std::string expected = kHead + kNoLogo + kBlankRow + "<tr>" + NavCell(0, "c0") +
                                 Repeat("<td></td>", 6) + "</tr></table></div> " + kSections +
                                 SectionHead(0, "c0") + links + "</table>" + kClose;
    EXPECT_EQ(BuildStartPage(store, false, kSite), expected);
}

TEST(StartPage, LogoLinksToTheSite) {
    const std::string page = BuildStartPage(WithCategories(1), true, kSite);
    const std::string logo =
        R"(<div class='container'><table class="dh"><tr><td rowspan="3" style="border:0px;"><a href=')" +
        kSite + "'><img src='tavinor_logo.jpg' alt='\xD7\xAA\xCF\xF2Tavinor'/></a></td>";
    EXPECT_EQ(page.substr(kHead.size(), logo.size()), logo);
    EXPECT_EQ(page.substr(kHead.size() + logo.size(), kBlankRow.size()), kBlankRow);
}

TEST(StartPage, MarkupInTitlesNamesAndAddressesIsEscaped) {
    Store store = WithCategories(1);
    std::strcpy(store.categories[0].name, "R&D <b>");
    AddItem(store, 0, "<script>alert(1)</script>", "http://x.example/?a=1&b=\"><script>");
    const std::string page = BuildStartPage(store, true, "http://site/'onmouseover='x");
    EXPECT_EQ(page.find("<script>"), std::string::npos);
    EXPECT_NE(page.find(NavCell(0, "R&amp;D &lt;b&gt;")), std::string::npos);
    EXPECT_NE(page.find(Link("http://x.example/?a=1&amp;b=&quot;&gt;&lt;script&gt;",
                             "&lt;script&gt;alert(1)&lt;/script&gt;")),
              std::string::npos);
    EXPECT_NE(page.find("<a href='http://site/&#39;onmouseover=&#39;x'>"), std::string::npos);
}

TEST(StartPage, WritesThePageOrLeavesTheOldOneIntact) {
    TempDir dir;
    Store store = WithCategories(1);
    ASSERT_EQ(GenerateStartPage(store, dir.path(), kSite), 0);
    EXPECT_EQ(ReadBytes(dir.File("mine.htm")), BuildStartPage(store, false, kSite));

    WriteBytes(dir.File("tavinor_logo.jpg"), "jpg");
    ASSERT_EQ(GenerateStartPage(store, dir.path(), kSite), 0);
    EXPECT_EQ(ReadBytes(dir.File("mine.htm")), BuildStartPage(store, true, kSite));

    const std::string old = ReadBytes(dir.File("mine.htm"));
    std::filesystem::create_directory(dir.File("mine.htm.part")); // the new page cannot be written
    store.header.categoryCount = 2;
    EXPECT_EQ(GenerateStartPage(store, dir.path(), kSite), -1);
    EXPECT_EQ(ReadBytes(dir.File("mine.htm")), old);
    EXPECT_EQ(GenerateStartPage(store, dir.File("missing"), kSite), -1);
}

} // namespace
