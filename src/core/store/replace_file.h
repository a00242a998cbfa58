#pragma once
// Whole-file replacement that never leaves a half-written file behind.

#include <filesystem>
#include <string>

// Writes `bytes` to a temporary file beside `path`, flushes it to the disk and
// renames it over `path`, then flushes the folder so the rename survives a
// crash. Where the file system allows, the temporary file gets its name only
// once it is complete, so a kill while writing leaves nothing behind. 0 on
// success; -1 on any failure, with `path` left as it was and the temporary
// file removed. A new file is readable by the user alone; a replaced one
// keeps its mode.
int ReplaceFile(const std::string& path, const std::string& bytes);

// True when `name` is one ReplaceFile gives a temporary file of the file
// named `target` (file names, no folders).
bool IsTemporaryCopyName(const std::string& name, const std::string& target);

// Removes the temporary files that writes of `path` left beside it when the
// program was killed: regular files named exactly as ReplaceFile names them,
// last changed before `before`. Returns how many were removed.
int RemoveStaleCopies(const std::string& path, std::filesystem::file_time_type before);
