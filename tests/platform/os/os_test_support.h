// Helpers of the OS service tests: scoped environment variables.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace quillon::os::test {

// Sets (or, with nothing, removes) an environment variable of this process, and puts
// back what was there before when it goes.
class ScopedEnvironment {
public:
    ScopedEnvironment(std::string name, const std::optional<std::string>& value);
    ~ScopedEnvironment();
    ScopedEnvironment(const ScopedEnvironment&) = delete;
    ScopedEnvironment& operator=(const ScopedEnvironment&) = delete;

private:
    std::string name_;
    std::optional<std::string> previous_;
};

}  // namespace quillon::os::test
