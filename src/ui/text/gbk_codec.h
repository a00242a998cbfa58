#pragma once
// The only place where window text meets the GBK bytes of the core.

#include <QString>
#include <string>

QString FromGbk(const std::string& bytes);
QString FromGbk(const char* field, std::size_t width); // a NUL-terminated field

// Characters that GBK cannot hold become a visible "?" instead of vanishing.
std::string ToGbk(const QString& text);
