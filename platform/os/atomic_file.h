// Writing a file so that readers see either the old content or the new, never a part,
// and a lock that lets one process at a time read, change and replace a shared file.
#pragma once

#include <chrono>
#include <cstddef>
#include <functional>
#include <string>

namespace quillon::os {

// Writes `data` to a temporary file beside `path` and moves it over `path`. On failure
// the original is untouched, the temporary is removed, and the answer is false with a
// reason in *error when given.
bool WriteFileAtomically(const std::string& path, const void* data, std::size_t size,
                         std::string* error = nullptr);

// Called by WriteFileAtomically once the temporary file is complete and before it
// replaces the target, with the temporary's name. Tests stop a process here to show
// that a write cut short leaves the old file; nothing else sets it. Empty by default.
void SetBeforeReplaceHook(std::function<void(const std::string& temporary)> hook);

// An exclusive lock between processes on a file, held through an open lock file beside
// it (the file's name + ".lock", removed again on release). The system lets go of the
// lock when the holding process ends, however it ends, so a killed holder leaves
// nothing that others must wait out. Two locks on one file exclude each other also
// within one process.
class FileLock {
public:
    FileLock() = default;
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;
    ~FileLock() { Release(); }

    // Tries for at most `wait`; false when another holder kept the lock that long or
    // the lock file cannot be made at all.
    bool Acquire(const std::string& path, std::chrono::milliseconds wait);
    void Release();
    bool IsHeld() const { return held_; }

private:
    std::string lockPath_;
    bool held_ = false;
#ifdef _WIN32
    void* handle_ = nullptr;  // HANDLE, opened without sharing and deleted on close
#else
    int fd_ = -1;  // holds the flock
#endif
};

}  // namespace quillon::os
