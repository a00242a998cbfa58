#include <algorithm>
#include <cctype>
#include <sstream>

#include "core/favorites/ini_text.h"
#include "core/text/gbk_text.h"

bool EqualsIgnoringCase(const std::string& a, const std::string& b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) ==
                      std::tolower(static_cast<unsigned char>(y));
           });
}

std::vector<IniSection> ParseIni(const std::string& text) {
    std::vector<IniSection> sections;
    std::istringstream lines(text);
    std::string line;
    while (std::getline(lines, line)) {
        line = TrimBytes(line);
        if (line.empty() || line[0] == ';' || line[0] == '#')
            continue;
        if (line.front() == '[') {
            const std::size_t close = line.find(']');
            if (close != std::string::npos)
                sections.push_back({TrimBytes(line.substr(1, close - 1)), {}});
            continue;
        }
        const std::size_t equals = line.find('=');
        if (sections.empty() || equals == std::string::npos)
            continue;
        sections.back().values.emplace_back(TrimBytes(line.substr(0, equals)),
                                            TrimBytes(line.substr(equals + 1)));
    }
    return sections;
}

std::string IniValue(const std::vector<IniSection>& sections, const std::string& section,
                     const std::string& key) {
    for (const IniSection& candidate : sections) {
        if (!EqualsIgnoringCase(candidate.name, section))
            continue;
        for (const auto& [name, value] : candidate.values)
            if (EqualsIgnoringCase(name, key))
                return value;
        return {};
    }
    return {};
}
