// A second process for tests: started with arguments, waited for, or killed.
#pragma once

#include <string>
#include <vector>

namespace quillon::test {

class ChildProcess {
public:
    // Starts the program; throws std::runtime_error when it cannot.
    ChildProcess(const std::string& program, const std::vector<std::string>& args);
    ~ChildProcess();  // kills a child still running
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    // Its exit status; -1 when it did not exit by itself.
    int Wait();
    // Ends it at once, wherever it is, and waits for it.
    void Kill();

private:
    bool running_ = false;
#ifdef _WIN32
    void* process_ = nullptr;  // HANDLE
#else
    int pid_ = -1;
#endif
};

// A program built beside the running test.
std::string SiblingProgram(const std::string& fileName);

}  // namespace quillon::test
