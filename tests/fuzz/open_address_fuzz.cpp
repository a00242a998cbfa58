// The address policy keeps its promise: what it lets through is an http or
// https address with a host, as the desktop's opener will read it, or a name
// of the program's own mine.htm.
#include <QString>
#include <QUrl>
#include <algorithm>
#include <filesystem>
#include <sys/stat.h>

#include "core/shell/open_address.h"
#include "fuzz/fuzz_check.h"
#include "support/temp_dir.h"

namespace fs = std::filesystem;

namespace {

// A documents folder with the own page, a foreign page of the same name and
// links out of and into the folder, so that inputs can walk around them.
struct Folders {
    TempDir dir;
    std::string docs = dir.File("Documents");
    Folders() {
        fs::create_directories(docs);
        fs::create_directories(dir.File("other/deep"));
        WriteBytes(docs + "/mine.htm", "own");
        WriteBytes(dir.File("other/mine.htm"), "foreign");
        fs::create_directory_symlink(dir.File("other/deep"), docs + "/link");
        fs::create_directory_symlink(docs, dir.File("docs-link"));
    }
};

std::string Lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

bool StartsWith(const std::string& text, const std::string& prefix) {
    return text.compare(0, prefix.size(), prefix) == 0;
}

int Hex(char c) {
    const std::string digits = "0123456789abcdef";
    const std::size_t at = digits.find(static_cast<char>(std::tolower((unsigned char)c)));
    return at == std::string::npos ? -1 : static_cast<int>(at);
}

std::string Unescaped(const std::string& text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        FUZZ_CHECK(text[i] != '%' ||
                   (i + 2 < text.size() && Hex(text[i + 1]) >= 0 && Hex(text[i + 2]) >= 0));
        if (text[i] != '%') {
            out += text[i];
            continue;
        }
        out += static_cast<char>(Hex(text[i + 1]) * 16 + Hex(text[i + 2]));
        i += 2;
    }
    return out;
}

// The local path an own-page address names.
std::string OwnPagePath(const std::string& address) {
    if (StartsWith(address, "/"))
        return address;
    const std::string lower = Lower(address);
    std::size_t start = std::string::npos;
    if (StartsWith(lower, "file:///"))
        start = 7;
    else if (StartsWith(lower, "file://localhost/"))
        start = 16;
    FUZZ_CHECK(start != std::string::npos);
    const std::size_t end = address.find_first_of("?#", start);
    return Unescaped(address.substr(start, end == std::string::npos ? end : end - start));
}

void CheckWeb(const std::string& address) {
    const std::string lower = Lower(address);
    FUZZ_CHECK(StartsWith(lower, "http://") || StartsWith(lower, "https://"));
    // An address the opener cannot read opens nothing; one it can read must
    // be the web address that was judged.
    const QUrl url(QString::fromStdString(address));
    if (url.isValid())
        FUZZ_CHECK((url.scheme() == "http" || url.scheme() == "https") && !url.host().isEmpty());
}

void CheckOwnPage(const std::string& address, const std::string& docs) {
    const std::string path = OwnPagePath(address);
    FUZZ_CHECK(path.size() >= 9 && path.compare(path.size() - 9, 9, "/mine.htm") == 0);
    struct stat own {};
    struct stat named {};
    FUZZ_CHECK(stat((docs + "/mine.htm").c_str(), &own) == 0);
    if (stat(path.c_str(), &named) == 0)
        FUZZ_CHECK(named.st_dev == own.st_dev && named.st_ino == own.st_ino);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const Folders folders;
    if (size == 0)
        return 0;
    // The first byte picks a start, so that inputs reach the folders made above.
    const std::string starts[] = {"",
                                  folders.docs,
                                  "file://" + folders.docs,
                                  "FILE://localhost" + folders.docs,
                                  folders.dir.path(),
                                  "file://" + folders.dir.path()};
    const std::string address = starts[data[0] % std::size(starts)] +
                                std::string(reinterpret_cast<const char*>(data) + 1, size - 1);
    const bool control = std::any_of(address.begin(), address.end(),
                                     [](unsigned char c) { return c < 0x20 || c == 0x7f; });
    switch (JudgeBrowserAddress(address, folders.docs)) {
    case BrowserAddress::Web:
        FUZZ_CHECK(!control);
        CheckWeb(address);
        break;
    case BrowserAddress::OwnPage:
        FUZZ_CHECK(!control);
        CheckOwnPage(address, folders.docs);
        break;
    case BrowserAddress::Refused:
        break;
    }
    return 0;
}
