#pragma once
// The system calls behind every change of the data file, chosen so that a
// kill between any two of them leaves a file that loads: in-place changes are
// single positioned writes (a header and its tables never go out in parts),
// and a new file replaces the old one only once it is complete on disk
// (ReplaceFile). Standard C++ cannot flush a file to disk or patch it in
// place without buffering: the platform layer's files do it.

#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/files.h"

struct Store;

// The data file opened for in-place update, closed on destruction.
class StoreUpdate {
public:
    // A save never creates the file: one that has gone is not silently
    // replaced by a header without its records.
    explicit StoreUpdate(const std::string& path) : file_(platform::File::Update(path)) {}

    bool IsOpen() const { return file_.IsOpen(); }
    // The file's real length, or -1 when it cannot be told.
    std::int64_t Size() const { return file_.Size(); }
    // One write of all the bytes at `offset`; false unless every byte went.
    bool WriteAt(std::int64_t offset, const void* bytes, std::size_t size) {
        return file_.WriteAt(offset, bytes, size);
    }
    // Header, category table and (unless told not to) the quick links, in
    // one write.
    bool WriteFixedBlock(const Store& store, bool withQuickLinks = true);

private:
    platform::File file_;
};

// Header, category table and quick links as they stand in the file.
std::string FixedBlockBytes(const Store& store);
