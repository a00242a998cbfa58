#pragma once
// A folder of internet shortcut files (".url"), read as bookmarks.

#include <string>

#include "core/favorites/bookmark_tree.h"

// The folder at `path` as a tree: subfolders where they are met and one link
// per shortcut, titled by its file name without the extension. Names and
// addresses are the bytes the file system and the files hold: UTF-8 from this
// desktop, GBK from a folder copied from a Chinese Windows. Names beginning
// with "." are left out; entries come sorted by name, as the Windows
// favorites folder lists them. A folder that cannot be listed gives nothing;
// linked folders are not followed, so a loop cannot trap the walk.
BookmarkNode ReadShortcutFolder(const std::string& path);

// The address an internet shortcut's text holds (section "InternetShortcut",
// key "URL", after a UTF-8 byte-order mark); empty when missing.
std::string ShortcutUrl(const std::string& text);
