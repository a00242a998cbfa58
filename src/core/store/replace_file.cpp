#include <algorithm>
#include <random>

#include "core/store/replace_file.h"
#include "core/text/utf8_path.h"
#include "platform/files.h"

namespace {

constexpr char kTemporaryTag[] = ".tmp-";
// Six letters and digits, as mkstemp makes them.
constexpr std::size_t kUniqueLength = 6;

std::string FreshTemporaryName(const std::string& path, std::random_device& random) {
    static constexpr char kLetters[] =
        "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    std::string name = path + kTemporaryTag;
    for (std::size_t i = 0; i < kUniqueLength; ++i)
        name += kLetters[random() % (sizeof kLetters - 1)];
    return name;
}

} // namespace

int ReplaceFile(const std::string& path, const std::string& bytes) {
    if (path.empty())
        return -1;
    std::random_device random;
    std::string temporary;
    if (!platform::WriteCopy(
            path, bytes, [&] { return FreshTemporaryName(path, random); }, temporary))
        return -1;
    if (!platform::RenameOver(temporary, path)) {
        platform::RemoveFile(temporary);
        return -1;
    }
    platform::SyncFolderOf(path);
    return 0;
}

bool IsTemporaryCopyName(const std::string& name, const std::string& target) {
    const std::string prefix = target + kTemporaryTag;
    if (target.empty() || name.size() != prefix.size() + kUniqueLength ||
        name.compare(0, prefix.size(), prefix) != 0)
        return false;
    return std::all_of(name.begin() + prefix.size(), name.end(), [](char c) {
        return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
    });
}

int RemoveStaleCopies(const std::string& path, std::filesystem::file_time_type before) {
    namespace fs = std::filesystem;
    const fs::path target = PathOf(path);
    const std::string name = Utf8Of(target.filename());
    int removed = 0;
    std::error_code error;
    for (fs::directory_iterator entry(target.parent_path(), error), end; !error && entry != end;
         entry.increment(error)) {
        std::error_code failed;
        // A link is never followed: only a file the program wrote itself goes.
        if (!IsTemporaryCopyName(Utf8Of(entry->path().filename()), name) ||
            entry->symlink_status(failed).type() != fs::file_type::regular ||
            fs::last_write_time(entry->path(), failed) >= before || failed)
            continue;
        removed += fs::remove(entry->path(), failed) ? 1 : 0;
    }
    return removed;
}
