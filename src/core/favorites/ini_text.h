#pragma once
// The INI text of internet shortcuts and browser profile lists.

#include <string>
#include <utility>
#include <vector>

struct IniSection {
    std::string name;
    std::vector<std::pair<std::string, std::string>> values; // key, value; in order
};

// Sections in order; names and values trimmed, comment lines (';', '#')
// and lines outside any section ignored.
std::vector<IniSection> ParseIni(const std::string& text);

// The first value of `key` in the first section named `section`, both
// compared without regard to ASCII case; empty when missing.
std::string IniValue(const std::vector<IniSection>& sections, const std::string& section,
                     const std::string& key);

bool EqualsIgnoringCase(const std::string& a, const std::string& b);
