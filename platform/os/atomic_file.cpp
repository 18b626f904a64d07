#include "platform/os/atomic_file.h"

#include <cstdio>
#include <filesystem>
#include <system_error>
#include <thread>

#ifdef _WIN32
#include <windows.h>
#else
#include <sys/file.h>
#include <sys/stat.h>
#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#endif

namespace quillon::os {
namespace {

// Between attempts to take a lock that another process holds.
constexpr std::chrono::milliseconds kLockRetryPause{5};

std::function<void(const std::string&)>& BeforeReplaceHook() {
    static std::function<void(const std::string&)> hook;
    return hook;
}

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

bool IsValidPath(const std::string& path) { return path.find('\0') == std::string::npos; }

#ifdef _WIN32
bool LockFileIsThere(const std::string& lockPath) {
    return GetFileAttributesA(lockPath.c_str()) != INVALID_FILE_ATTRIBUTES ||
           GetLastError() != ERROR_FILE_NOT_FOUND;
}
#endif

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
    if (BeforeReplaceHook()) BeforeReplaceHook()(temporary);
    std::filesystem::rename(temporary, path, ec);
    if (ec) {
        std::filesystem::remove(temporary, ec);
        return Fail(error, "cannot replace " + path + ": " + ec.message());
    }
    return true;
}

void SetBeforeReplaceHook(std::function<void(const std::string& temporary)> hook) {
    BeforeReplaceHook() = std::move(hook);
}

#ifdef _WIN32

bool FileLock::Acquire(const std::string& path, std::chrono::milliseconds wait) {
    Release();
    lockPath_ = path + ".lock";
    if (!IsValidPath(lockPath_)) return false;
    const auto deadline = std::chrono::steady_clock::now() + wait;
    for (;;) {
        // No sharing is the lock; delete-on-close lets it go with the handle.
        HANDLE file = CreateFileA(lockPath_.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_ALWAYS,
                                  FILE_ATTRIBUTE_NORMAL | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
        if (file != INVALID_HANDLE_VALUE) {
            handle_ = file;
            held_ = true;
            return true;
        }
        // Access is also denied while a released lock file is still being deleted; where
        // there is no lock file, it is a folder that we may not write, and waiting is futile.
        const DWORD reason = GetLastError();
        const bool busy = reason == ERROR_SHARING_VIOLATION || reason == ERROR_LOCK_VIOLATION ||
                          (reason == ERROR_ACCESS_DENIED && LockFileIsThere(lockPath_));
        if (!busy || std::chrono::steady_clock::now() >= deadline) return false;
        std::this_thread::sleep_for(kLockRetryPause);
    }
}

void FileLock::Release() {
    if (handle_) CloseHandle(handle_);
    handle_ = nullptr;
    held_ = false;
}

#else

bool FileLock::Acquire(const std::string& path, std::chrono::milliseconds wait) {
    Release();
    lockPath_ = path + ".lock";
    if (!IsValidPath(lockPath_)) return false;
    const auto deadline = std::chrono::steady_clock::now() + wait;
    for (;;) {
        // Read access is enough for flock, so another user's lock file serves too.
        const int fd = ::open(lockPath_.c_str(), O_RDONLY | O_CREAT | O_CLOEXEC | O_NONBLOCK, 0666);
        if (fd < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        if (::flock(fd, LOCK_EX | LOCK_NB) == 0) {
            // A releasing holder removes the file; a lock on a removed file locks nothing.
            struct stat locked {};
            struct stat named {};
            if (::fstat(fd, &locked) == 0 && ::stat(lockPath_.c_str(), &named) == 0 &&
                locked.st_dev == named.st_dev && locked.st_ino == named.st_ino) {
                fd_ = fd;
                held_ = true;
                return true;
            }
            ::close(fd);
        } else {
            const int reason = errno;
            ::close(fd);
            if (reason != EWOULDBLOCK && reason != EINTR) return false;
        }
        if (std::chrono::steady_clock::now() >= deadline) return false;
        std::this_thread::sleep_for(kLockRetryPause);
    }
}

void FileLock::Release() {
    if (fd_ >= 0) {
        // Removed while still locked, so no waiter can lock the removed file and go on.
        ::unlink(lockPath_.c_str());
        ::close(fd_);
    }
    fd_ = -1;
    held_ = false;
}

#endif

}  // namespace quillon::os
