#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <stdexcept>

#include "core/text/utf8_path.h"
#include "support/temp_dir.h"

TempDir::TempDir() {
    namespace fs = std::filesystem;
    static constexpr char kLetters[] = "abcdefghijklmnopqrstuvwxyz0123456789";
    std::random_device random;
    for (int attempt = 0; attempt < 100 && path_.empty(); ++attempt) {
        std::string name = "tavinor-test-";
        for (int i = 0; i < 6; ++i)
            name += kLetters[random() % (sizeof kLetters - 1)];
        const fs::path folder = fs::temp_directory_path() / name;
        if (fs::create_directory(folder))
            path_ = folder.string();
    }
    if (path_.empty())
        throw std::runtime_error("no temporary folder");
    fs::permissions(path_, fs::perms::owner_all);
}

TempDir::~TempDir() {
    std::error_code error;
    std::filesystem::permissions(path_, std::filesystem::perms::owner_all,
                                 std::filesystem::perm_options::add, error);
    std::filesystem::remove_all(path_, error);
}

std::string ReadBytes(const std::string& path) {
    std::ifstream in(PathOf(path), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

void WriteBytes(const std::string& path, const std::string& bytes) {
    std::ofstream out(PathOf(path), std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}
