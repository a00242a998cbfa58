#pragma once
// A temporary folder for one test, removed with everything in it.

#include <cstdint>
#include <cstring>
#include <string>

class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    const std::string& path() const { return path_; }
    std::string File(const std::string& name) const { return path_ + "/" + name; }

private:
    std::string path_;
};

std::string ReadBytes(const std::string& path);
void WriteBytes(const std::string& path, const std::string& bytes);

// The little-endian int32 at `offset` of a file's bytes, read and written.
inline int32_t Int32At(const std::string& bytes, std::size_t offset) {
    int32_t value;
    std::memcpy(&value, bytes.data() + offset, 4);
    return value;
}
inline void PutInt32(std::string& bytes, std::size_t offset, int32_t value) {
    std::memcpy(bytes.data() + offset, &value, 4);
}
