// Compiles a word list into the bytes of a main-dictionary file (.ovm).
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace quillon {

class EOvmCompileError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

struct TOvmCompileResult {
    std::vector<std::uint8_t> bytes;
    std::uint32_t wordCount = 0;
    std::uint32_t nodeCount = 0;
};

// Words are 8-bit strings in the dictionary's code page; duplicates and empty words
// are dropped. Throws EOvmCompileError when a word or the tree does not fit the format.
// The same input always gives the same bytes.
TOvmCompileResult CompileMainDictionary(std::vector<std::string> words, std::u16string_view title,
                                        std::uint32_t language);

}  // namespace quillon
