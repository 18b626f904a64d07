#include "tests/engine/custom/child_process.h"

#include <stdexcept>

#include "platform/os/os.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <errno.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>

extern char** environ;
#endif

namespace quillon::test {

std::string SiblingProgram(const std::string& fileName) {
    return os::ProgramFolder() + os::PathSeparator() + fileName;
}

#ifdef _WIN32

namespace {

// Quoted for the C runtime's argument parser; test arguments hold no quotes.
std::string CommandLine(const std::string& program, const std::vector<std::string>& args) {
    std::string line = "\"" + program + "\"";
    for (const std::string& arg : args) line += " \"" + arg + "\"";
    return line;
}

}  // namespace

ChildProcess::ChildProcess(const std::string& program, const std::vector<std::string>& args) {
    std::string line = CommandLine(program, args);
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    if (!CreateProcessA(program.c_str(), line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &info))
        throw std::runtime_error("cannot start " + program);
    CloseHandle(info.hThread);
    process_ = info.hProcess;
    running_ = true;
}

ChildProcess::~ChildProcess() {
    if (running_) Kill();
    if (process_) CloseHandle(process_);
}

int ChildProcess::Wait() {
    WaitForSingleObject(process_, INFINITE);
    running_ = false;
    DWORD code = 0;
    if (!GetExitCodeProcess(process_, &code)) return -1;
    return static_cast<int>(code);
}

void ChildProcess::Kill() {
    TerminateProcess(process_, 255);
    Wait();
}

#else

ChildProcess::ChildProcess(const std::string& program, const std::vector<std::string>& args) {
    std::vector<std::string> all{program};
    all.insert(all.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (std::string& arg : all) argv.push_back(arg.data());
    argv.push_back(nullptr);
    if (posix_spawn(&pid_, program.c_str(), nullptr, nullptr, argv.data(), environ) != 0)
        throw std::runtime_error("cannot start " + program);
    running_ = true;
}

ChildProcess::~ChildProcess() {
    if (running_) Kill();
}

int ChildProcess::Wait() {
    int status = 0;
    pid_t done;
    do done = waitpid(pid_, &status, 0);
    while (done < 0 && errno == EINTR);
    running_ = false;
    if (done < 0) return -1;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

void ChildProcess::Kill() {
    kill(pid_, SIGKILL);
    Wait();
}

#endif

}  // namespace quillon::test
