#include <filesystem>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/linux/instance_lock.h"
#include "support/temp_dir.h"

namespace {

namespace fs = std::filesystem;

std::string MakeFolder(const std::string& path, mode_t mode) {
    fs::create_directory(path);
    chmod(path.c_str(), mode);
    return path;
}

// The lock lands in `expected`, a second start sees it, an ended one does not.
void ExpectLockedIn(const std::string& runtime, const std::string& fallback,
                    const std::string& expected) {
    const InstanceLockFile first = TakeInstanceLock(runtime, fallback);
    ASSERT_EQ(first.result, LockResult::Acquired);
    const std::string file = expected + "/Tavinor-" + std::to_string(geteuid()) + ".lock";
    EXPECT_TRUE(fs::is_regular_file(fs::symlink_status(file))) << file;
    EXPECT_EQ(TakeInstanceLock(runtime, fallback).result, LockResult::AlreadyRunning);
    close(first.fd);
    const InstanceLockFile again = TakeInstanceLock(runtime, fallback);
    EXPECT_EQ(again.result, LockResult::Acquired);
    close(again.fd);
}

TEST(InstanceLock, RuntimeFolderWhenOwnElseAPrivateFolderOfTheUser) {
    TempDir dir;
    const std::string own = MakeFolder(dir.File("run"), 0700);
    const std::string fallback = dir.File("private");
    ExpectLockedIn(own, fallback, own);
    EXPECT_FALSE(fs::exists(fallback));

    ExpectLockedIn("", fallback, fallback);
    struct stat info {};
    lstat(fallback.c_str(), &info);
    EXPECT_EQ(info.st_mode & 0777, 0700u);
    // Open to everyone, like the shared temporary folder: any local user
    // could take the lock there first.
    const std::string shared = MakeFolder(dir.File("shared"), 01777);
    ExpectLockedIn(shared, fallback, fallback);
    EXPECT_TRUE(fs::is_empty(shared));
    WriteBytes(dir.File("a-file"), "");
    EXPECT_EQ(TakeInstanceLock(shared, dir.File("a-file")).result, LockResult::Failed);
}

TEST(InstanceLock, APlantedLockFileIsNeverTrusted) {
    TempDir dir;
    const std::string run = MakeFolder(dir.File("run"), 0700);
    WriteBytes(dir.File("target"), "untouched");
    fs::create_symlink(dir.File("target"), run + "/Tavinor-" + std::to_string(geteuid()) + ".lock");
    ExpectLockedIn(run, dir.File("private"), dir.File("private"));
    EXPECT_EQ(ReadBytes(dir.File("target")), "untouched");
}

} // namespace
