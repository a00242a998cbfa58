#pragma once
// Writes a data file of `records` live favorites spread over 20 categories.

#include <string>

void WriteLargeStoreFile(const std::string& path, int records);
