#include "os_test_support.h"

#include <cstdlib>
#include <fstream>
#include <random>
#include <stdexcept>
#include <utility>

#ifdef _WIN32
#include <windows.h>
#endif

namespace quillon::os::test {
namespace {

std::optional<std::string> GetVariable(const std::string& name) {
#ifdef _WIN32
    const DWORD size = GetEnvironmentVariableA(name.c_str(), nullptr, 0);
    if (size == 0) return std::nullopt;
    std::string value(size, '\0');
    value.resize(GetEnvironmentVariableA(name.c_str(), value.data(), size));
    return value;
#else
    const char* value = std::getenv(name.c_str());
    if (!value) return std::nullopt;
    return std::string(value);
#endif
}

void SetVariable(const std::string& name, const std::optional<std::string>& value) {
#ifdef _WIN32
    SetEnvironmentVariableA(name.c_str(), value ? value->c_str() : nullptr);
#else
    if (value)
        setenv(name.c_str(), value->c_str(), 1);
    else
        unsetenv(name.c_str());
#endif
}

}  // namespace

ScopedEnvironment::ScopedEnvironment(std::string name, const std::optional<std::string>& value)
    : name_(std::move(name)), previous_(GetVariable(name_)) {
    SetVariable(name_, value);
}

ScopedEnvironment::~ScopedEnvironment() { SetVariable(name_, previous_); }

}  // namespace quillon::os::test
