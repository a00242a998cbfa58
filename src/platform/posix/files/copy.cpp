#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/files.h"
#include "platform/write_all.h"

namespace platform {
namespace {

// Every byte to `fd`, whatever signals cut in.
bool WriteAllTo(int fd, const std::string& bytes) {
    return WriteAll(bytes, [fd](const char* data, std::size_t size) {
        ssize_t n;
        do
            n = ::write(fd, data, size);
        while (n < 0 && errno == EINTR);
        return static_cast<long long>(n);
    });
}

std::string FolderOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

// Gives the unnamed file open at `fd` the first free name `nextName` offers.
bool NameUnnamed(int fd, const std::function<std::string()>& nextName, std::string& temporary) {
    const std::string self = "/proc/self/fd/" + std::to_string(fd);
    for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
        temporary = nextName();
        if (::linkat(AT_FDCWD, self.c_str(), AT_FDCWD, temporary.c_str(), AT_SYMLINK_FOLLOW) == 0)
            return true;
        if (errno != EEXIST)
            break;
    }
    temporary.clear();
    return false;
}

int CreateNamed(const std::function<std::string()>& nextName, std::string& temporary) {
    for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
        temporary = nextName();
        const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
        if (fd >= 0 || errno != EEXIST)
            return fd;
    }
    return -1;
}

enum class Written { Ok, Failed, NoUnnamedFiles };

// `unnamed` gives the file its name only once it is complete, so that a kill
// while writing leaves nothing behind.
Written WriteNew(const std::string& path, const std::string& bytes, bool unnamed,
                 const std::function<std::string()>& nextName, std::string& temporary) {
    temporary.clear();
    int fd = -1;
    if (unnamed) {
#ifdef O_TMPFILE
        fd = ::open(FolderOf(path).c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0600);
#endif
        if (fd < 0)
            return Written::NoUnnamedFiles;
    } else {
        fd = CreateNamed(nextName, temporary);
        if (fd < 0) {
            temporary.clear();
            return Written::Failed;
        }
    }
    // The file is private, right for data files and exports that hold the
    // lock password; a replaced file keeps the mode it had.
    struct stat before {};
    bool ok = ::stat(path.c_str(), &before) != 0 || ::fchmod(fd, before.st_mode & 07777) == 0;
    ok = ok && WriteAllTo(fd, bytes) && ::fsync(fd) == 0;
    const bool written = ok;
    if (ok && unnamed)
        ok = NameUnnamed(fd, nextName, temporary);
    ok = ::close(fd) == 0 && ok;
    if (ok)
        return Written::Ok;
    if (!temporary.empty())
        std::remove(temporary.c_str());
    // Without /proc an unnamed file cannot be named.
    return unnamed && written && temporary.empty() ? Written::NoUnnamedFiles : Written::Failed;
}

} // namespace

bool WriteCopy(const std::string& path, const std::string& bytes,
               const std::function<std::string()>& nextName, std::string& temporary) {
    Written written = WriteNew(path, bytes, true, nextName, temporary);
    if (written == Written::NoUnnamedFiles)
        written = WriteNew(path, bytes, false, nextName, temporary);
    if (written != Written::Ok)
        temporary.clear();
    return written == Written::Ok;
}

bool RenameOver(const std::string& from, const std::string& to) {
    return std::rename(from.c_str(), to.c_str()) == 0;
}

bool RemoveFile(const std::string& path) {
    return ::unlink(path.c_str()) == 0 || errno == ENOENT;
}

void SyncFolderOf(const std::string& path) {
    const int folder = ::open(FolderOf(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folder >= 0) {
        ::fsync(folder);
        ::close(folder);
    }
}

} // namespace platform
