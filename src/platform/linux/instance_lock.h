#pragma once
// The per-user lock that lets only one instance run: a lock file held with
// flock in a folder only the user can write to.

#include <string>

enum class LockResult { Acquired, AlreadyRunning, Failed };

struct InstanceLockFile {
    LockResult result = LockResult::Failed;
    int fd = -1;        // held open for the life of the process while Acquired
    std::string folder; // where it was taken or found held
};

// Takes the lock file in `runtimeFolder` (the session's runtime folder; may
// be empty), or, when that folder or its lock file is unusable, in
// `privateFolder`, which is made when missing. A folder is used only when it
// is the user's own and nobody else may write to it, and a lock file only
// when it is the user's own regular file: another local user can neither take
// the lock first nor plant a link in its place.
InstanceLockFile TakeInstanceLock(const std::string& runtimeFolder,
                                  const std::string& privateFolder);
