#include <filesystem>
#include <gtest/gtest.h>

#include "core/shell/open_address.h"
#include "support/temp_dir.h"

namespace {

const std::string kDocs = "/home/u/Documents";

BrowserAddress Judge(const std::string& address) {
    return JudgeBrowserAddress(address, kDocs);
}

TEST(JudgeBrowserAddress, WebAddressesWithAHostOpenInAnySpelling) {
    EXPECT_EQ(Judge("http://www.example.com/"), BrowserAddress::Web);
    EXPECT_EQ(Judge("https://example.com/a?b=c#d"), BrowserAddress::Web);
    EXPECT_EQ(Judge("HTTP://EXAMPLE.COM"), BrowserAddress::Web);
    EXPECT_EQ(Judge("http://127.0.0.1:8642/%E4%B8%AD"), BrowserAddress::Web);
    EXPECT_EQ(Judge("http:///etc/passwd"), BrowserAddress::Refused) << "no host";
    EXPECT_EQ(Judge("http:example.com"), BrowserAddress::Refused);
    EXPECT_EQ(Judge("http://"), BrowserAddress::Refused);
    for (const char* blankHost :
         {"http://@/", "http://:80/", "http:// /", "https://user@:443/x", "http://a b/"})
        EXPECT_EQ(Judge(blankHost), BrowserAddress::Refused) << blankHost;
    EXPECT_EQ(Judge("http://user@host:80/"), BrowserAddress::Web);
    EXPECT_EQ(Judge("http://[::1]:8642/"), BrowserAddress::Web);
    EXPECT_EQ(Judge("www.example.com"), BrowserAddress::Refused) << "no scheme, not a path";
}

TEST(JudgeBrowserAddress, OtherSchemesAreRefused) {
    for (const char* address :
         {"javascript:alert(1)", "data:text/html,<b>x</b>", "smb://server/share/x.exe",
          "ftp://example.com/", "tavinor://open", "mailto:a@b.c", "about:blank",
          "C:\\Windows\\notepad.exe", "", ":http://x", "ht tp://x"})
        EXPECT_EQ(Judge(address), BrowserAddress::Refused) << address;
}

TEST(TypedAddress, BareHostsGetTheWebSchemeAndOthersStayWhatTheyAre) {
    EXPECT_EQ(TypedAddress("  www.example.test \t"), "http://www.example.test");
    EXPECT_EQ(TypedAddress("localhost:8080/x"), "http://localhost:8080/x")
        << "a port, not a scheme";
    EXPECT_EQ(TypedAddress(" HTTPS://example.test/ "), "HTTPS://example.test/");
    EXPECT_EQ(TypedAddress("   "), "");
    // Another scheme is kept, so the policy still refuses it.
    EXPECT_EQ(Judge(TypedAddress("javascript:alert(1)")), BrowserAddress::Refused);
    EXPECT_EQ(Judge(TypedAddress("file:///etc/passwd")), BrowserAddress::Refused);
}

TEST(JudgeBrowserAddress, ControlCharactersRefuseEvenAWebAddress) {
    EXPECT_EQ(Judge("http://example.com/\n/usr/bin/xterm"), BrowserAddress::Refused);
    EXPECT_EQ(Judge(std::string("http://example.com/\0x", 20)), BrowserAddress::Refused);
    EXPECT_EQ(Judge("http://example.com/\x7f"), BrowserAddress::Refused);
}

TEST(JudgeBrowserAddress, OnlyTheProgramsOwnPageOpensAsALocalFile) {
    EXPECT_EQ(Judge("/home/u/Documents/mine.htm"), BrowserAddress::OwnPage);
    EXPECT_EQ(Judge("file:///home/u/Documents/mine.htm"), BrowserAddress::OwnPage);
    EXPECT_EQ(Judge("FILE://localhost/home/u/Documents/mine.htm#top"), BrowserAddress::OwnPage);
    EXPECT_EQ(Judge("file:///home/u/Documents/mine%2Ehtm"), BrowserAddress::OwnPage);
    EXPECT_EQ(Judge("/home/u/Documents/./x/../mine.htm"), BrowserAddress::OwnPage);

    EXPECT_EQ(Judge("/home/u/Documents/other.htm"), BrowserAddress::Refused);
    EXPECT_EQ(Judge("/usr/bin/xterm"), BrowserAddress::Refused);
    EXPECT_EQ(Judge("file:///etc/passwd"), BrowserAddress::Refused);
    EXPECT_EQ(Judge("Documents/mine.htm"), BrowserAddress::Refused) << "relative";
    EXPECT_EQ(Judge("/home/u/Documents/../mine.htm"), BrowserAddress::Refused);
    EXPECT_EQ(Judge("/home/u/Documents/mine.htm/"), BrowserAddress::Refused);
    EXPECT_EQ(Judge("file://server/home/u/Documents/mine.htm"), BrowserAddress::Refused)
        << "a share on another machine";
    EXPECT_EQ(Judge("file:///home/u/Documents/mine.htm%00.sh"), BrowserAddress::Refused);
    EXPECT_EQ(Judge("file:///home/u/Documents/mine.ht%"), BrowserAddress::Refused);
    EXPECT_EQ(Judge("file:/home/u/Documents/mine.htm"), BrowserAddress::Refused);
    EXPECT_EQ(JudgeBrowserAddress("/mine.htm", ""), BrowserAddress::Refused)
        << "without a documents folder there is no own page";
}

TEST(JudgeBrowserAddress, TheOwnPageIsJudgedWithSymbolicLinksResolved) {
    TempDir dir;
    const std::string docs = dir.File("Documents");
    std::filesystem::create_directories(docs);
    std::filesystem::create_directories(dir.File("other/deep"));
    WriteBytes(docs + "/mine.htm", "own");
    WriteBytes(dir.File("other/mine.htm"), "someone else's");
    // <docs>/link/.. is <other>, not <docs>, once the link is followed.
    std::error_code noLinks;
    std::filesystem::create_directory_symlink(dir.File("other/deep"), docs + "/link", noLinks);
    if (noLinks)
        GTEST_SKIP() << "this system's C++ library makes no symbolic links: " << noLinks.message();
    std::filesystem::create_directory_symlink(docs, dir.File("docs-link"));

    EXPECT_EQ(JudgeBrowserAddress(docs + "/link/../mine.htm", docs), BrowserAddress::Refused);
    EXPECT_EQ(JudgeBrowserAddress("file://" + docs + "/link/../mine.htm", docs),
              BrowserAddress::Refused);
    EXPECT_EQ(JudgeBrowserAddress(docs + "/mine.htm", docs), BrowserAddress::OwnPage);
    EXPECT_EQ(JudgeBrowserAddress(dir.File("docs-link/mine.htm"), docs), BrowserAddress::OwnPage)
        << "another road to the same file";
    EXPECT_EQ(JudgeBrowserAddress(docs + "/mine.htm", dir.File("docs-link")),
              BrowserAddress::OwnPage);
}

} // namespace
