// Feeds arbitrary bytes to the main-dictionary reader as a file. Inputs without the
// banner get a valid header block in front, so the fuzzer spends its time on the tree.
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "engine/main_dictionary.h"

#ifdef _WIN32
#include <process.h>
#define getpid _getpid
#else
#include <unistd.h>
#endif

namespace {

const std::string& ScratchFile() {
    static const std::string path = "/tmp/quillon-ovm-fuzz-" + std::to_string(getpid()) + ".ovm";
    return path;
}

void WriteInput(const std::uint8_t* data, std::size_t size) {
    std::vector<std::uint8_t> file;
    const auto& banner = quillon::ovm::kBanner;
    const bool hasBanner = size >= banner.size() && std::equal(banner.begin(), banner.end(), data);
    if (!hasBanner) {
        file.assign(quillon::ovm::kHeaderBlockSize, 0);
        std::copy(banner.begin(), banner.end(), file.begin());
    }
    file.insert(file.end(), data, data + size);
    std::FILE* out = std::fopen(ScratchFile().c_str(), "wb");
    if (!out) return;
    std::fwrite(file.data(), 1, file.size(), out);
    std::fclose(out);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    WriteInput(data, size);
    quillon::TMainDictionary dictionary;
    dictionary.Open(ScratchFile());
    std::vector<std::string> seen;
    dictionary.WalkPrefix("", [&seen](std::string_view word) {
        if (seen.size() < 4) seen.emplace_back(word);
        return false;
    });
    for (const std::string& word : seen) {
        dictionary.IsWord(word);
        dictionary.WalkPrefix(word.substr(0, 2), [](std::string_view) { return false; });
    }
    for (const char* word : {"a", "ab", "the", "cats", "catalogue", "zzzzzzzzzzzzzzzz"}) dictionary.IsWord(word);
    return 0;
}
