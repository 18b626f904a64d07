#include "platform/os/atomic_file.h"

#include <cstdio>
#include <filesystem>
#include <system_error>

#ifdef _WIN32
#include <windows.h>
#else
#include <unistd.h>
#endif

namespace quillon::os {
namespace {

std::string TemporaryNameBeside(const std::string& path) {
#ifdef _WIN32
    const unsigned long id = GetCurrentProcessId();
#else
    const unsigned long id = static_cast<unsigned long>(getpid());
#endif
    return path + ".tmp" + std::to_string(id);
}

bool Fail(std::string* error, std::string reason) {
    if (error) *error = std::move(reason);
    return false;
}

bool FlushToDisk(std::FILE* file) {
    if (std::fflush(file) != 0) return false;
#ifdef _WIN32
    return true;
#else
    return fsync(fileno(file)) == 0;
#endif
}

}  // namespace

bool WriteFileAtomically(const std::string& path, const void* data, std::size_t size,
                         std::string* error) {
    const std::string temporary = TemporaryNameBeside(path);
    std::FILE* file = std::fopen(temporary.c_str(), "wb");
    if (!file) return Fail(error, "cannot create " + temporary);
    const bool written = std::fwrite(data, 1, size, file) == size && FlushToDisk(file);
    const bool closed = std::fclose(file) == 0;
    std::error_code ec;
    if (!written || !closed) {
        std::filesystem::remove(temporary, ec);
        return Fail(error, "cannot write " + temporary);
    }
    std::filesystem::rename(temporary, path, ec);
    if (ec) {
        std::filesystem::remove(temporary, ec);
        return Fail(error, "cannot replace " + path + ": " + ec.message());
    }
    return true;
}

}  // namespace quillon::os
