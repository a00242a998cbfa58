#pragma once
// The system calls behind every change of the data file, chosen so that a
// kill between any two of them leaves a file that loads: in-place changes are
// single positioned writes (a header and its tables never go out in parts),
// and a new file replaces the old one only once it is complete on disk
// (ReplaceFile).
// These are the only POSIX calls of the core: standard C++ cannot flush a
// file to disk or patch it in place without buffering.

#include <cstddef>
#include <string>

struct Store;

// The data file opened for in-place update, closed on destruction.
class StoreUpdate {
public:
    explicit StoreUpdate(const std::string& path);
    ~StoreUpdate();
    StoreUpdate(const StoreUpdate&) = delete;
    StoreUpdate& operator=(const StoreUpdate&) = delete;

    bool IsOpen() const { return fd_ >= 0; }
    // The file's real length, or -1 when it cannot be told.
    long Size() const;
    // One write of all the bytes at `offset`; false unless every byte went.
    bool WriteAt(long offset, const void* bytes, std::size_t size);
    // Header, category table and (unless told not to) the quick links, in
    // one write.
    bool WriteFixedBlock(const Store& store, bool withQuickLinks = true);

private:
    int fd_ = -1;
};

// Header, category table and quick links as they stand in the file.
std::string FixedBlockBytes(const Store& store);
