#pragma once
// Whole-file replacement that never leaves a half-written file behind.

#include <string>

// Writes `bytes` to a temporary file beside `path`, flushes it to the disk and
// renames it over `path`, then flushes the folder so the rename survives a
// crash. 0 on success; -1 on any failure, with `path` left as it was and the
// temporary file removed. A new file is readable by the user alone; a
// replaced one keeps its mode.
int ReplaceFile(const std::string& path, const std::string& bytes);
