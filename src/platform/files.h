#pragma once
// The file primitives the data file needs, in plain C++ with UTF-8 paths, so
// that the core itself calls nothing of the operating system. One backend
// per system defines them (posix/files/, win/files/), built as the Qt-free
// library tavinor_files that the core links.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <utility>

namespace platform {

// An open file, closed on destruction.
class File {
public:
    // A regular file for reading. A folder, a FIFO or a device is not even
    // opened, since opening some devices already acts on them; reads never
    // wait for bytes that are not there yet.
    static File ReadRegular(const std::string& path);
    // An existing file for writing in place; one that has gone is never
    // created anew.
    static File Update(const std::string& path);

    File(File&& other) noexcept : handle_(std::exchange(other.handle_, kClosed)) {}
    File& operator=(File&& other) noexcept {
        std::swap(handle_, other.handle_);
        return *this;
    }
    ~File();

    bool IsOpen() const { return handle_ != kClosed; }
    // Up to `size` bytes into `buffer`: how many came, 0 at the end, -1 on failure.
    std::int64_t Read(char* buffer, std::size_t size);
    // The file's real length, or -1 when it cannot be told or it is no regular file.
    std::int64_t Size() const;
    // One positioned write of all the bytes; false unless every byte went.
    bool WriteAt(std::int64_t offset, const void* bytes, std::size_t size);

private:
    static constexpr std::intptr_t kClosed = -1;
    explicit File(std::intptr_t handle) : handle_(handle) {}
    std::intptr_t handle_ = kClosed;
};

// Writes `bytes` to a new file beside `path`, flushes it to the disk and
// gives it the first name `nextName` offers that is free, in `temporary`.
// Where the system allows, the file gets that name only once it is complete.
// Once renamed over `path` it has the rights of the file it replaced, or is
// the user's alone when there was none. False on failure, with nothing left
// behind.
bool WriteCopy(const std::string& path, const std::string& bytes,
               const std::function<std::string()>& nextName, std::string& temporary);

// Puts the file `from` in the place of `to` in one step: a reader sees the
// old file or the new one, never neither.
bool RenameOver(const std::string& from, const std::string& to);

// Removes the file at `path`; false when it is still there.
bool RemoveFile(const std::string& path);

// Flushes the folder holding `path`, so that a rename there survives a crash.
void SyncFolderOf(const std::string& path);

} // namespace platform
