#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <random>
#include <sys/stat.h>
#include <unistd.h>

#include "core/store/replace_file.h"

namespace {

constexpr char kTemporaryTag[] = ".tmp-";
// mkstemp's six letters and digits.
constexpr std::size_t kUniqueLength = 6;

bool WriteAll(int fd, const std::string& bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        done += static_cast<std::size_t>(n);
    }
    return true;
}

std::string FolderOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

// Gives the unnamed file open at `fd` a fresh temporary name beside `path`.
bool NameUnnamed(int fd, const std::string& path, std::string& temporary) {
    static constexpr char kLetters[] =
        "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    const std::string self = "/proc/self/fd/" + std::to_string(fd);
    std::random_device random;
    for (int attempt = 0; attempt < 100; ++attempt) {
        temporary = path + kTemporaryTag;
        for (std::size_t i = 0; i < kUniqueLength; ++i)
            temporary += kLetters[random() % (sizeof kLetters - 1)];
        if (::linkat(AT_FDCWD, self.c_str(), AT_FDCWD, temporary.c_str(), AT_SYMLINK_FOLLOW) == 0)
            return true;
        if (errno != EEXIST)
            break;
    }
    temporary.clear();
    return false;
}

enum class Written { Ok, Failed, NoUnnamedFiles };

// Writes `bytes` to a new file beside `path`, flushed to the disk and named
// `temporary`; `unnamed` gives it that name only once it is complete.
Written WriteTemporary(const std::string& path, const std::string& bytes, bool unnamed,
                       std::string& temporary) {
    temporary.clear();
    int fd = -1;
    if (unnamed) {
        fd = ::open(FolderOf(path).c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0600);
        if (fd < 0)
            return Written::NoUnnamedFiles;
    } else {
        temporary = path + kTemporaryTag + std::string(kUniqueLength, 'X');
        fd = ::mkstemp(temporary.data());
        if (fd < 0)
            return Written::Failed;
    }
    // The file is private, right for data files and exports that hold the
    // lock password; a replaced file keeps the mode it had.
    struct stat before {};
    bool ok = ::stat(path.c_str(), &before) != 0 || ::fchmod(fd, before.st_mode & 07777) == 0;
    ok = ok && WriteAll(fd, bytes) && ::fsync(fd) == 0;
    const bool written = ok;
    if (ok && unnamed)
        ok = NameUnnamed(fd, path, temporary);
    ok = ::close(fd) == 0 && ok;
    if (ok)
        return Written::Ok;
    if (!temporary.empty())
        std::remove(temporary.c_str());
    // Without /proc an unnamed file cannot be named.
    return unnamed && written && temporary.empty() ? Written::NoUnnamedFiles : Written::Failed;
}

} // namespace

int ReplaceFile(const std::string& path, const std::string& bytes) {
    if (path.empty())
        return -1;
    // Unnamed until it is complete where the file system allows it: a write
    // cut short by a kill then leaves nothing behind.
    std::string temporary;
    Written written = WriteTemporary(path, bytes, true, temporary);
    if (written == Written::NoUnnamedFiles)
        written = WriteTemporary(path, bytes, false, temporary);
    if (written != Written::Ok)
        return -1;
    if (std::rename(temporary.c_str(), path.c_str()) != 0) {
        std::remove(temporary.c_str());
        return -1;
    }
    const int folder = ::open(FolderOf(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folder >= 0) {
        ::fsync(folder);
        ::close(folder);
    }
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
    const fs::path target(path);
    const std::string name = target.filename().string();
    int removed = 0;
    std::error_code error;
    for (fs::directory_iterator entry(target.parent_path(), error), end; !error && entry != end;
         entry.increment(error)) {
        std::error_code failed;
        // A link is never followed: only a file the program wrote itself goes.
        if (!IsTemporaryCopyName(entry->path().filename().string(), name) ||
            entry->symlink_status(failed).type() != fs::file_type::regular ||
            fs::last_write_time(entry->path(), failed) >= before || failed)
            continue;
        removed += fs::remove(entry->path(), failed) ? 1 : 0;
    }
    return removed;
}
