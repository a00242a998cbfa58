#include <algorithm>
#include <filesystem>
#include <fstream>
#include <system_error>
#include <vector>

#include "core/favorites/ini_text.h"
#include "core/favorites/shortcut_folder.h"
#include "core/text/text_encoding.h"
#include "core/text/utf8_path.h"

namespace fs = std::filesystem;

namespace {

// A shortcut is a few lines; anything past this is not one.
constexpr std::streamsize kShortcutReadLimit = 64 * 1024;

bool IsShortcutName(const std::string& name) {
    // Only the last three letters are looked at, in any case.
    return name.size() >= 3 && EqualsIgnoringCase(name.substr(name.size() - 3), "url");
}

std::string ReadHead(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::string text(static_cast<std::size_t>(kShortcutReadLimit), '\0');
    in.read(text.data(), kShortcutReadLimit);
    text.resize(static_cast<std::size_t>(std::max<std::streamsize>(in.gcount(), 0)));
    return text;
}

void ReadInto(BookmarkNode& folder, const fs::path& path) {
    std::error_code error;
    std::vector<fs::directory_entry> entries;
    for (fs::directory_iterator it(path, error), end; !error && it != end; it.increment(error))
        entries.push_back(*it);
    std::sort(entries.begin(), entries.end(), [](const auto& a, const auto& b) {
        return a.path().filename() < b.path().filename();
    });
    for (const fs::directory_entry& entry : entries) {
        const std::string name = Utf8Of(entry.path().filename());
        if (name.empty() || name[0] == '.')
            continue;
        if (entry.is_directory(error) && !entry.is_symlink(error)) {
            BookmarkNode sub = BookmarkNode::Folder(name);
            ReadInto(sub, entry.path());
            folder.children.push_back(std::move(sub));
        } else if (entry.is_regular_file(error) && IsShortcutName(name)) {
            const std::string title = name.size() > 4 ? name.substr(0, name.size() - 4) : "";
            folder.children.push_back(BookmarkNode::Link(title, ShortcutUrl(ReadHead(entry))));
        }
    }
}

} // namespace

std::string ShortcutUrl(const std::string& text) {
    return IniValue(ParseIni(std::string(WithoutUtf8Bom(text))), "InternetShortcut", "URL");
}

BookmarkNode ReadShortcutFolder(const std::string& path) {
    BookmarkNode root = BookmarkNode::Folder("");
    ReadInto(root, PathOf(path));
    return root;
}
