#include <cstdio>
#include <cstring>
#include <filesystem>
#include <system_error>

#include "core/store/store_load.h"

namespace {

// Copies the file beside itself; true only when the copy is complete.
bool WriteBackup(const std::string& path) {
    std::error_code error;
    std::filesystem::copy_file(path, BackupPath(path),
                               std::filesystem::copy_options::overwrite_existing, error);
    return !error;
}

// A new file starts from a zero header: carrying bytes of a rejected header
// (a skin value of -1, say) would make the new file fail the check again.
void CreateDefaultFile(Store& store, const std::string& siteUrl, const std::string& addedAt) {
    std::memset(&store.header, 0, sizeof store.header);
    CreateStoreFile(store.path);
    InitStoreDefaults(store, siteUrl, addedAt);
    SaveStore(store, store.record, true);
    ListFavorite(store, store.record);
}

// The file holds the lock password as plain text: only its owner may read
// it, and its folder lets nobody else in. A file found with wider rights is
// tightened too.
void RestrictToOwner(const std::string& path) {
    namespace fs = std::filesystem;
    std::error_code error;
    fs::permissions(path, fs::perms::owner_read | fs::perms::owner_write, fs::perm_options::replace,
                    error);
    const fs::path folder = fs::path(path).parent_path();
    if (!folder.empty())
        fs::permissions(folder, fs::perms::owner_all, fs::perm_options::replace, error);
}

LoadOutcome LoadOrCreate(Store& store, const std::string& siteUrl, const std::string& addedAt) {
    std::memset(store.categories, 0, sizeof store.categories);
    std::memset(store.quickLinks, 0, sizeof store.quickLinks);

    std::error_code error;
    if (!std::filesystem::exists(store.path, error)) {
        CreateDefaultFile(store, siteUrl, addedAt);
        return LoadOutcome::Created;
    }
    const ReadOutcome read = ReadStore(store);
    if (read == ReadOutcome::Ok)
        return LoadOutcome::Read;

    // A file that cannot be used is never deleted before its copy exists.
    const bool backedUp = WriteBackup(store.path);
    if (backedUp)
        std::filesystem::remove(store.path, error);
    if (!backedUp || std::filesystem::exists(store.path, error)) {
        std::string keptPath;
        keptPath.swap(store.path);
        CreateDefaultFile(store, siteUrl, addedAt);
        return LoadOutcome::KeptUnreadable;
    }
    CreateDefaultFile(store, siteUrl, addedAt);
    return read == ReadOutcome::BadFormat ? LoadOutcome::ReplacedBad
                                          : LoadOutcome::ReplacedUnreadable;
}

} // namespace

LoadOutcome LoadStoreFile(Store& store, const std::string& siteUrl, const std::string& addedAt) {
    const LoadOutcome outcome = LoadOrCreate(store, siteUrl, addedAt);
    if (!store.path.empty())
        RestrictToOwner(store.path);
    return outcome;
}
