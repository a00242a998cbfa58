#include <algorithm>
#include <filesystem>
#include <windows.h>

#include "platform/files.h"
#include "platform/win/files/wide_path.h"
#include "platform/write_all.h"

namespace platform {
namespace {

bool WriteAllTo(HANDLE file, const std::string& bytes) {
    return WriteAll(bytes, [file](const char* data, std::size_t size) {
        DWORD n = 0;
        const DWORD asked = static_cast<DWORD>(std::min<std::size_t>(size, 1 << 30));
        return WriteFile(file, data, asked, &n, nullptr) ? static_cast<long long>(n) : -1LL;
    });
}

} // namespace

// Windows names a file as it creates it: the copy is named from the start,
// and the rename carries over the replaced file's rights and attributes.
bool WriteCopy(const std::string&, const std::string& bytes,
               const std::function<std::string()>& nextName, std::string& temporary) {
    HANDLE file = INVALID_HANDLE_VALUE;
    std::wstring wide;
    for (int attempt = 0; attempt < kNameAttempts && file == INVALID_HANDLE_VALUE; ++attempt) {
        temporary = nextName();
        wide = WidePath(temporary);
        if (wide.empty())
            break;
        file = CreateFileW(wide.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file == INVALID_HANDLE_VALUE && GetLastError() != ERROR_FILE_EXISTS)
            break;
    }
    if (file == INVALID_HANDLE_VALUE) {
        temporary.clear();
        return false;
    }
    bool ok = WriteAllTo(file, bytes) && FlushFileBuffers(file);
    ok = CloseHandle(file) && ok;
    if (!ok) {
        DeleteFileW(wide.c_str());
        temporary.clear();
    }
    return ok;
}

bool RenameOver(const std::string& from, const std::string& to) {
    const std::wstring source = WidePath(from);
    const std::wstring target = WidePath(to);
    if (source.empty() || target.empty())
        return false;
    // ReplaceFileW replaces only a file that is there, and a folder never.
    const DWORD attributes = GetFileAttributesW(target.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return MoveFileExW(source.c_str(), target.c_str(), MOVEFILE_WRITE_THROUGH);
    return (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0 &&
           ReplaceFileW(target.c_str(), source.c_str(), nullptr, REPLACEFILE_IGNORE_MERGE_ERRORS,
                        nullptr, nullptr);
}

bool RemoveFile(const std::string& path) {
    const std::wstring wide = WidePath(path);
    return !wide.empty() && (DeleteFileW(wide.c_str()) || GetLastError() == ERROR_FILE_NOT_FOUND);
}

void SyncFolderOf(const std::string& path) {
    std::filesystem::path folder = std::filesystem::path(WidePath(path)).parent_path();
    if (folder.empty())
        folder = L".";
    // A folder opens only with backup semantics; flushing it writes its entries.
    const HANDLE handle = CreateFileW(folder.c_str(), GENERIC_READ | GENERIC_WRITE,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                      nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (handle != INVALID_HANDLE_VALUE) {
        FlushFileBuffers(handle);
        CloseHandle(handle);
    }
}

} // namespace platform
