#pragma once
// Files the program keeps in the user's documents folder (mine.htm, the logo).

#include <string>

// The folder, a separator and the file name; empty when the name is empty.
// Any length fits: the path is never cut.
std::string DocumentsFilePath(const std::string& folder, const std::string& fileName);
