#include <filesystem>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include "core/shell/instance_lock.h"
#include "support/temp_dir.h"

namespace {

namespace fs = std::filesystem;

std::string LockName() {
    return "Tavinor-" + std::to_string(geteuid()) + ".lock";
}

mode_t ModeOf(const std::string& path) {
    struct stat info {};
    lstat(path.c_str(), &info);
    return info.st_mode & 0777;
}

// Takes the lock twice: the second start must see the first.
void ExpectLockedIn(const std::string& runtime, const std::string& fallback,
                    const std::string& expectedFolder) {
    const InstanceLockFile first = TakeInstanceLock(runtime, fallback);
    ASSERT_EQ(first.result, LockResult::Acquired);
    EXPECT_TRUE(fs::is_regular_file(fs::symlink_status(expectedFolder + "/" + LockName())));
    EXPECT_EQ(TakeInstanceLock(runtime, fallback).result, LockResult::AlreadyRunning);
    close(first.fd);
    const InstanceLockFile again = TakeInstanceLock(runtime, fallback);
    EXPECT_EQ(again.result, LockResult::Acquired) << "an ended instance leaves no lock";
    close(again.fd);
}

TEST(InstanceLock, TheRuntimeFolderWhenItIsTheUsersOwn) {
    TempDir dir;
    fs::create_directory(dir.File("run"));
    chmod(dir.File("run").c_str(), 0700);
    ExpectLockedIn(dir.File("run"), dir.File("private"), dir.File("run"));
    EXPECT_FALSE(fs::exists(dir.File("private")));
}

TEST(InstanceLock, APrivateFolderWhenTheRuntimeFolderIsUnsetMissingOrShared) {
    TempDir dir;
    const std::string fallback = dir.File("data/run");
    fs::create_directory(dir.File("data"));
    ExpectLockedIn("", fallback, fallback);
    EXPECT_EQ(ModeOf(fallback), 0700u);

    ExpectLockedIn(dir.File("missing"), fallback, fallback);
    WriteBytes(dir.File("a-file"), "");
    ExpectLockedIn(dir.File("a-file"), fallback, fallback);

    // Open to everyone like the shared temporary folder: a lock there could
    // be taken first by any local user.
    fs::create_directory(dir.File("shared"));
    chmod(dir.File("shared").c_str(), 01777);
    ExpectLockedIn(dir.File("shared"), fallback, fallback);
    EXPECT_FALSE(fs::exists(dir.File("shared/" + LockName())));
}

TEST(InstanceLock, APlantedLockFileIsNeverTrusted) {
    TempDir dir;
    fs::create_directory(dir.File("run"));
    chmod(dir.File("run").c_str(), 0700);
    WriteBytes(dir.File("target"), "untouched");
    fs::create_symlink(dir.File("target"), dir.File("run/" + LockName()));
    ExpectLockedIn(dir.File("run"), dir.File("private"), dir.File("private"));
    EXPECT_EQ(ReadBytes(dir.File("target")), "untouched");

    // An own private folder left open to others is closed first.
    fs::create_directory(dir.File("loose"));
    chmod(dir.File("loose").c_str(), 0777);
    ExpectLockedIn("", dir.File("loose"), dir.File("loose"));
    EXPECT_EQ(ModeOf(dir.File("loose")), 0700u);
}

TEST(InstanceLock, FailsOnlyWhenNoFolderCanHoldIt) {
    TempDir dir;
    WriteBytes(dir.File("a-file"), "");
    EXPECT_EQ(TakeInstanceLock("", dir.File("a-file")).result, LockResult::Failed);
    EXPECT_EQ(TakeInstanceLock("", "").result, LockResult::Failed);
}

} // namespace
