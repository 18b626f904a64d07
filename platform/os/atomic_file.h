// Writing a file so that readers see either the old content or the new, never a part.
#pragma once

#include <cstddef>
#include <string>

namespace quillon::os {

// Writes `data` to a temporary file beside `path` and moves it over `path`. On failure
// the original is untouched, the temporary is removed, and the answer is false with a
// reason in *error when given.
bool WriteFileAtomically(const std::string& path, const void* data, std::size_t size,
                         std::string* error = nullptr);

}  // namespace quillon::os
