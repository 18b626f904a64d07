#include "tests/support/temp_folder.h"

#include <filesystem>
#include <fstream>
#include <random>
#include <stdexcept>

namespace quillon::test {

TempFolder::TempFolder() {
    const std::filesystem::path base = std::filesystem::temp_directory_path();
    std::random_device random;
    for (int attempt = 0; attempt < 100; ++attempt) {
        const std::filesystem::path candidate = base / ("quillon-test-" + std::to_string(random()));
        if (std::filesystem::create_directory(candidate)) {
            root_ = candidate.string();
            return;
        }
    }
    throw std::runtime_error("no fresh temporary folder under " + base.string());
}

TempFolder::~TempFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(root_, ignored);
}

std::string TempFolder::Path(std::string_view name) const {
    return root_ + static_cast<char>(std::filesystem::path::preferred_separator) + std::string(name);
}

std::string TempFolder::Write(std::string_view name, std::string_view bytes) const {
    const std::string path = Path(name);
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out.flush()) throw std::runtime_error("cannot write " + path);
    return path;
}

std::string TempFolder::Write(std::string_view name, const std::vector<std::uint8_t>& bytes) const {
    return Write(name, std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
}

std::string TempFolder::MakeFolder(std::string_view name) const {
    const std::string path = Path(name);
    std::filesystem::create_directories(path);
    return path;
}

}  // namespace quillon::test
