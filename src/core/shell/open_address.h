#pragma once
// Which addresses the program may hand to the system browser. Addresses come
// from web pages and from the product site's settings, so nothing that could
// start a local program or show a local file is let through, except the
// personal start page the program writes itself.

#include <string>

enum class BrowserAddress {
    Web,     // an http or https address with a host
    OwnPage, // mine.htm in the documents folder, as a path or a file: address,
             // after symbolic links are resolved
    Refused, // anything else
};

// documentsFolder: the user's documents folder (UTF-8); empty means none.
BrowserAddress JudgeBrowserAddress(const std::string& address, const std::string& documentsFolder);

// An address as a user types it, made one the browser takes: the blanks
// around it removed, and "http://" put before one that names no scheme
// ("www.example.test", "localhost:8080/x"). Empty for blanks only. The
// result still goes through JudgeBrowserAddress.
std::string TypedAddress(const std::string& typed);
