#include <cstring>
#include <filesystem>
#include <system_error>

#include "core/store/store_load.h"
#include "core/text/utf8_path.h"

namespace {

// Copies the file beside itself; true only when the copy is complete. An
// empty file holds nothing to keep: the backup of an earlier rejected file
// is worth more than its copy.
bool WriteBackup(const std::string& path) {
    std::error_code error;
    if (std::filesystem::is_regular_file(PathOf(path), error) &&
        std::filesystem::file_size(PathOf(path), error) == 0 && !error)
        return true;
    std::filesystem::copy_file(PathOf(path), PathOf(BackupPath(path)),
                               std::filesystem::copy_options::overwrite_existing, error);
    return !error;
}

// A new file starts from a zero header: carrying bytes of a rejected header
// (a skin value of -1, say) would make the new file fail the check again.
void PutDefaults(Store& store, const std::string& siteUrl, const std::string& addedAt) {
    std::memset(&store.header, 0, sizeof store.header);
    InitStoreDefaults(store, siteUrl, addedAt);
    ListFavorite(store, store.record);
}

// The file holds the lock password as plain text: nobody but its owner may
// read it, nor enter its folder. Rights are only ever taken away: a file or
// folder the user made read-only stays so.
void RestrictToOwner(const std::string& path) {
    namespace fs = std::filesystem;
    constexpr fs::perms kOthers = fs::perms::group_all | fs::perms::others_all;
    std::error_code error;
    fs::permissions(PathOf(path), kOthers, fs::perm_options::remove, error);
    const fs::path folder = PathOf(path).parent_path();
    if (!folder.empty())
        fs::permissions(folder, kOthers, fs::perm_options::remove, error);
}

LoadOutcome LoadOrCreate(Store& store, const std::string& siteUrl, const std::string& addedAt) {
    std::memset(store.categories, 0, sizeof store.categories);
    std::memset(store.quickLinks, 0, sizeof store.quickLinks);

    std::error_code error;
    if (!std::filesystem::exists(PathOf(store.path), error)) {
        PutDefaults(store, siteUrl, addedAt);
        RewriteStoreFile(store, store.record);
        return LoadOutcome::Created;
    }
    const ReadOutcome read = ReadStore(store);
    if (read == ReadOutcome::Ok)
        return LoadOutcome::Read;

    // A file that cannot be used is replaced only once its copy exists, and
    // then in one step: there is never a moment without a loadable file.
    PutDefaults(store, siteUrl, addedAt);
    if (!WriteBackup(store.path) || RewriteStoreFile(store, store.record) != 0) {
        store.path.clear();
        return LoadOutcome::KeptUnreadable;
    }
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
