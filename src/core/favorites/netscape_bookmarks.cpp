#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <fstream>
#include <iterator>
#include <map>
#include <string_view>
#include <vector>

#include "core/favorites/ini_text.h"
#include "core/favorites/netscape_bookmarks.h"
#include "core/store/store.h"
#include "core/text/gbk_text.h"
#include "core/text/html_text.h"
#include "core/text/utf8_path.h"

namespace {

const char kDoctype[] = "<!DOCTYPE NETSCAPE-Bookmark-file-1>";
// Deeper folders are merged upwards, so a crafted file cannot exhaust the
// stack of the walk that reads the tree.
constexpr std::size_t kMaxDepth = 32;

std::string Lower(std::string_view text) {
    std::string out(text);
    for (char& c : out)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return out;
}

void AppendUtf8(std::string& out, unsigned long code) {
    if (code == 0 || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
        code = 0xFFFD;
    if (code < 0x80) {
        out += static_cast<char>(code);
    } else if (code < 0x800) {
        out += static_cast<char>(0xC0 | (code >> 6));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
        out += static_cast<char>(0xE0 | (code >> 12));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (code >> 18));
        out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    }
}

// Character references decoded; tags inside a title dropped.
std::string PlainText(std::string_view html) {
    static const std::map<std::string, unsigned long> named = {
        {"amp", '&'}, {"lt", '<'}, {"gt", '>'}, {"quot", '"'}, {"apos", '\''}, {"nbsp", 0xA0}};
    std::string out;
    for (std::size_t i = 0; i < html.size(); ++i) {
        if (html[i] == '<') {
            const std::size_t close = html.find('>', i);
            if (close == std::string::npos)
                break;
            i = close;
            continue;
        }
        // A reference is short: a title full of '&' without ';' stays linear.
        const std::size_t semicolon =
            html[i] == '&' ? html.substr(i, 11).find(';') : std::string_view::npos;
        if (semicolon == std::string_view::npos) {
            out += html[i];
            continue;
        }
        const std::string name(html.substr(i + 1, semicolon - 1));
        unsigned long code = 0;
        if (name.size() > 1 && name[0] == '#') {
            const bool hex = name[1] == 'x' || name[1] == 'X';
            code = std::strtoul(name.c_str() + (hex ? 2 : 1), nullptr, hex ? 16 : 10);
        } else if (auto it = named.find(Lower(name)); it != named.end()) {
            code = it->second;
        } else {
            out += html[i];
            continue;
        }
        AppendUtf8(out, code);
        i += semicolon;
    }
    return TrimBytes(out);
}

struct Tag {
    std::string name;                              // lower case, "/dl" for a closing tag
    std::map<std::string, std::string> attributes; // names in lower case, values decoded
    std::size_t end = 0;                           // just past the '>'
    bool broken = false; // a quoted value not closed on its line: end is that line's end
};

// The tag that starts at text[at] == '<'.
Tag ReadTag(std::string_view text, std::size_t at) {
    Tag tag;
    std::size_t i = at + 1;
    while (i < text.size() && (std::isalnum(static_cast<unsigned char>(text[i])) || text[i] == '/'))
        tag.name += static_cast<char>(std::tolower(static_cast<unsigned char>(text[i++])));
    while (i < text.size() && text[i] != '>') {
        if (std::isspace(static_cast<unsigned char>(text[i]))) {
            ++i;
            continue;
        }
        std::string name;
        while (i < text.size() && text[i] != '=' && text[i] != '>' &&
               !std::isspace(static_cast<unsigned char>(text[i])))
            name += static_cast<char>(std::tolower(static_cast<unsigned char>(text[i++])));
        std::string value;
        if (i < text.size() && text[i] == '=') {
            ++i;
            const char quote = i < text.size() && (text[i] == '"' || text[i] == '\'') ? text[i] : 0;
            if (quote != 0) {
                // Browsers write each entry on a line of its own: a value
                // still open at the line's end has lost its quote, and what
                // follows is the next entry, not part of this one. The line's
                // end is looked for only up to the quote, which keeps a file
                // written on one line linear.
                std::size_t close = text.find(quote, i + 1);
                const std::size_t lineEnd = text.substr(i + 1, close - (i + 1)).find('\n');
                if (close == std::string_view::npos || lineEnd != std::string_view::npos) {
                    close = lineEnd == std::string_view::npos ? text.size() : i + 1 + lineEnd;
                    tag.broken = true;
                    tag.end = std::min(close + 1, text.size());
                    return tag;
                }
                value = text.substr(i + 1, close - i - 1);
                i = close + 1;
            } else {
                while (i < text.size() && text[i] != '>' &&
                       !std::isspace(static_cast<unsigned char>(text[i])))
                    value += text[i++];
            }
        }
        if (name.empty())
            ++i;
        else
            tag.attributes[name] = PlainText(value);
    }
    tag.end = i < text.size() ? i + 1 : text.size();
    return tag;
}

// The text up to the closing tag `close` (lower case), and where it ends.
std::string TextUntil(std::string_view text, std::size_t& at, const std::string& close) {
    std::size_t i = at;
    while (true) {
        const std::size_t open = text.find('<', i);
        if (open == std::string_view::npos) {
            at = text.size();
            return PlainText(text.substr(i));
        }
        const Tag tag = ReadTag(text, open);
        if (tag.name == close || tag.name == "dl" || tag.name == "/dl" || tag.name == "dt") {
            const std::string inner = PlainText(text.substr(at, open - at));
            at = tag.name == close ? tag.end : open;
            return inner;
        }
        i = tag.end;
    }
}

// A line break inside a value is written as a reference: the reader takes a
// value still open at the line's end as broken.
std::string EscapeAttribute(const std::string& text) {
    std::string out;
    for (const char c : EscapeHtml(text))
        out += c == '\n' ? std::string("&#10;") : std::string(1, c);
    return out;
}

void WriteFolder(std::string& out, const BookmarkNode& folder, int depth) {
    const std::string indent(static_cast<std::size_t>(depth) * 4, ' ');
    for (const BookmarkNode& child : folder.children) {
        if (child.folder) {
            out += indent + "<DT><H3>" + EscapeHtml(child.name) + "</H3>\n";
            out += indent + "<DL><p>\n";
            WriteFolder(out, child, depth + 1);
            out += indent + "</DL><p>\n";
            continue;
        }
        out += indent + "<DT><A HREF=\"" + EscapeAttribute(child.url) + "\"";
        if (child.addDate > 0)
            out += " ADD_DATE=\"" + std::to_string(child.addDate) + "\"";
        out += ">" + EscapeHtml(child.name) + "</A>\n";
    }
}

} // namespace

bool IsNetscapeBookmarkFile(const std::string& text) {
    std::size_t i = text.compare(0, 3, "\xEF\xBB\xBF") == 0 ? 3 : 0;
    while (i < text.size() && std::isspace(static_cast<unsigned char>(text[i])))
        ++i;
    return EqualsIgnoringCase(text.substr(i, sizeof kDoctype - 1), kDoctype);
}

BookmarkNode ReadNetscapeBookmarks(std::string_view text) {
    std::vector<BookmarkNode> open{BookmarkNode::Folder("")};
    std::vector<bool> ownsFolder;
    std::string pendingFolder;
    bool folderPending = false;
    std::size_t at = 0;
    auto closeFolder = [&] {
        if (!ownsFolder.empty() && ownsFolder.back() && open.size() > 1) {
            BookmarkNode done = std::move(open.back());
            open.pop_back();
            open.back().children.push_back(std::move(done));
        }
        if (!ownsFolder.empty())
            ownsFolder.pop_back();
    };
    while ((at = text.find('<', at)) != std::string_view::npos) {
        if (text.compare(at, 4, "<!--") == 0) {
            const std::size_t end = text.find("-->", at);
            at = end == std::string_view::npos ? text.size() : end + 3;
            continue;
        }
        const Tag tag = ReadTag(text, at);
        at = tag.end;
        if (tag.broken) {
            // A link that lost its quote has no address to trust: it is kept
            // without one, so that the import counts it instead of adding it.
            if (tag.name == "a")
                open.back().children.push_back(BookmarkNode::Link("", ""));
            continue;
        }
        if (tag.name == "h3") {
            pendingFolder = TextUntil(text, at, "/h3");
            folderPending = true;
        } else if (tag.name == "dl") {
            const bool own = folderPending && open.size() < kMaxDepth;
            if (own)
                open.push_back(BookmarkNode::Folder(pendingFolder));
            ownsFolder.push_back(own);
            folderPending = false;
        } else if (tag.name == "/dl") {
            closeFolder();
        } else if (tag.name == "a") {
            const auto href = tag.attributes.find("href");
            const auto added = tag.attributes.find("add_date");
            const std::string title = TextUntil(text, at, "/a");
            if (href == tag.attributes.end()) {
                open.back().children.push_back(BookmarkNode::Link(title, ""));
                continue;
            }
            const int64_t seconds = added == tag.attributes.end()
                                        ? 0
                                        : std::strtoll(added->second.c_str(), nullptr, 10);
            open.back().children.push_back(
                BookmarkNode::Link(title, href->second, seconds > 0 ? seconds : 0));
        }
    }
    while (open.size() > 1) {
        ownsFolder.push_back(true);
        closeFolder();
    }
    return std::move(open.front());
}

std::string WriteNetscapeBookmarks(const BookmarkNode& root) {
    std::string out = std::string(kDoctype) +
                      "\n<!-- This is an automatically generated file.\n"
                      "     It will be read and overwritten.\n"
                      "     DO NOT EDIT! -->\n"
                      "<META HTTP-EQUIV=\"Content-Type\" CONTENT=\"text/html; charset=UTF-8\">\n"
                      "<TITLE>Bookmarks</TITLE>\n"
                      "<H1>Bookmarks</H1>\n"
                      "<DL><p>\n";
    WriteFolder(out, root, 1);
    return out + "</DL><p>\n";
}

std::optional<BookmarkNode> DataFileBookmarks(const std::string& dataFile) {
    std::ifstream in(PathOf(dataFile), std::ios::binary);
    StoreHeader header;
    CategoryEntry categories[kMaxCategories];
    QuickLink links[kQuickLinkCount];
    if (!in.read(reinterpret_cast<char*>(&header), sizeof header) ||
        !in.read(reinterpret_cast<char*>(categories), sizeof categories) ||
        !in.read(reinterpret_cast<char*>(links), sizeof links) || !HeaderIsValid(header))
        return std::nullopt;

    BookmarkNode root = BookmarkNode::Folder("");
    std::map<int8_t, std::size_t> folderOfId;
    for (int row = 0; row < header.categoryCount; ++row) {
        folderOfId.emplace(categories[row].id, root.children.size());
        root.children.push_back(
            BookmarkNode::Folder(FieldText(categories[row].name, sizeof categories[row].name)));
    }
    FavoriteRecord record;
    for (int32_t i = 0; i < header.recordCount; ++i) {
        if (!in.read(reinterpret_cast<char*>(&record), sizeof record))
            break;
        const auto folder = folderOfId.find(record.categoryId);
        if (record.deleted != 0 || folder == folderOfId.end())
            continue;
        root.children[folder->second].children.push_back(BookmarkNode::Link(
            FieldText(record.title, sizeof record.title), FieldText(record.url, sizeof record.url),
            AddedAtSeconds(FieldText(record.addedAt, sizeof record.addedAt))));
    }
    return root;
}

int64_t AddedAtSeconds(const std::string& addedAt) {
    int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
    char dateSeparator = 0, monthSeparator = 0;
    const int fields = std::sscanf(addedAt.c_str(), "%d%c%d%c%d %d:%d:%d", &year, &dateSeparator,
                                   &month, &monthSeparator, &day, &hour, &minute, &second);
    if (fields < 7 || std::strchr("/-.", dateSeparator) == nullptr ||
        monthSeparator != dateSeparator || year < 1970 || month < 1 || month > 12 || day < 1 ||
        day > 31 || hour < 0 || hour > 23 || minute < 0 || minute > 59 || second < 0 || second > 60)
        return 0;
    std::tm local{};
    local.tm_year = year - 1900;
    local.tm_mon = month - 1;
    local.tm_mday = day;
    local.tm_hour = hour;
    local.tm_min = minute;
    local.tm_sec = second;
    local.tm_isdst = -1;
    const std::time_t seconds = std::mktime(&local);
    return seconds < 0 ? 0 : static_cast<int64_t>(seconds);
}
