#include <algorithm>
#include <windows.h>

#include "platform/files.h"
#include "platform/win/files/wide_path.h"

namespace platform {
namespace {

constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

HANDLE Handle(std::intptr_t handle) {
    return reinterpret_cast<HANDLE>(handle);
}

std::intptr_t Open(const std::wstring& path, DWORD access) {
    if (path.empty())
        return reinterpret_cast<std::intptr_t>(INVALID_HANDLE_VALUE);
    return reinterpret_cast<std::intptr_t>(CreateFileW(
        path.c_str(), access, kShareAll, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
}

} // namespace

// INVALID_HANDLE_VALUE is the closed handle the class shares with POSIX.
static_assert(sizeof(HANDLE) == sizeof(std::intptr_t));

File File::ReadRegular(const std::string& path) {
    const std::wstring wide = WidePath(path);
    const DWORD attributes =
        wide.empty() ? INVALID_FILE_ATTRIBUTES : GetFileAttributesW(wide.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES ||
        (attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_DEVICE)) != 0)
        return File(kClosed);
    File file(Open(wide, GENERIC_READ));
    // The name may have been swapped for something else since the check, or
    // be a device's (NUL, CON) that has no attributes of its own.
    if (file.IsOpen() && file.Size() < 0)
        return File(kClosed);
    return file;
}

File File::Update(const std::string& path) {
    return File(Open(WidePath(path), GENERIC_READ | GENERIC_WRITE));
}

File::~File() {
    if (IsOpen())
        CloseHandle(Handle(handle_));
}

std::int64_t File::Read(char* buffer, std::size_t size) {
    DWORD n = 0;
    const DWORD asked = static_cast<DWORD>(std::min<std::size_t>(size, MAXDWORD));
    if (!IsOpen() || !ReadFile(Handle(handle_), buffer, asked, &n, nullptr))
        return -1;
    return n;
}

std::int64_t File::Size() const {
    BY_HANDLE_FILE_INFORMATION info{};
    LARGE_INTEGER size{};
    if (!IsOpen() || GetFileType(Handle(handle_)) != FILE_TYPE_DISK ||
        !GetFileInformationByHandle(Handle(handle_), &info) ||
        (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0 ||
        !GetFileSizeEx(Handle(handle_), &size))
        return -1;
    return size.QuadPart;
}

bool File::WriteAt(std::int64_t offset, const void* bytes, std::size_t size) {
    if (!IsOpen() || offset < 0 || size > MAXDWORD)
        return false;
    OVERLAPPED at{};
    at.Offset = static_cast<DWORD>(offset);
    at.OffsetHigh = static_cast<DWORD>(static_cast<std::uint64_t>(offset) >> 32);
    DWORD written = 0;
    return WriteFile(Handle(handle_), bytes, static_cast<DWORD>(size), &written, &at) &&
           written == size;
}

} // namespace platform
