#include "platform/linux/instance_lock.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

bool IsPrivateFolder(const std::string& folder) {
    struct stat info {};
    return !folder.empty() && ::lstat(folder.c_str(), &info) == 0 && S_ISDIR(info.st_mode) &&
           info.st_uid == ::geteuid() && (info.st_mode & (S_IWGRP | S_IWOTH)) == 0 &&
           ::access(folder.c_str(), W_OK | X_OK) == 0;
}

// Makes the folder when missing and closes it to others when it is ours.
bool MakePrivateFolder(const std::string& folder) {
    if (folder.empty())
        return false;
    ::mkdir(folder.c_str(), 0700);
    struct stat info {};
    if (::lstat(folder.c_str(), &info) == 0 && S_ISDIR(info.st_mode) &&
        info.st_uid == ::geteuid() && (info.st_mode & 077) != 0)
        ::chmod(folder.c_str(), 0700);
    return IsPrivateFolder(folder);
}

// Nothing when the lock file cannot be trusted; then another folder is tried.
bool TryLockIn(const std::string& folder, InstanceLockFile& lock) {
    const std::string path = folder + "/Tavinor-" + std::to_string(::geteuid()) + ".lock";
    const int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (fd < 0)
        return false;
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode) || info.st_uid != ::geteuid()) {
        ::close(fd);
        return false;
    }
    // The lock belongs to the open descriptor: a crashed process leaves no
    // stale lock behind.
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        const bool held = errno == EWOULDBLOCK;
        ::close(fd);
        if (!held)
            return false;
        lock = {LockResult::AlreadyRunning, -1, folder};
        return true;
    }
    lock = {LockResult::Acquired, fd, folder};
    return true;
}

} // namespace

InstanceLockFile TakeInstanceLock(const std::string& runtimeFolder,
                                  const std::string& privateFolder) {
    InstanceLockFile lock;
    if (IsPrivateFolder(runtimeFolder) && TryLockIn(runtimeFolder, lock))
        return lock;
    if (MakePrivateFolder(privateFolder))
        TryLockIn(privateFolder, lock);
    return lock;
}
