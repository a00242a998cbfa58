#pragma once
// Text placed into the HTML pages the program writes.

#include <string>

// `text` with & < > " ' as character references, safe in element text and in
// quoted attributes alike. GBK trail bytes are never below 0x40, so these
// bytes are always characters of their own.
std::string EscapeHtml(const std::string& text);
