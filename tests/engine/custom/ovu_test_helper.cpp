// A second process for the custom-dictionary tests.
//   ovu_test_helper add FILE PREFIX COUNT keep|fresh
//       adds PREFIX0 .. PREFIX<COUNT-1>, saving after each: with one dictionary object
//       throughout (keep) or a fresh object for each word (fresh). Exit 0 when every
//       save got through.
//   ovu_test_helper hang FILE WORD MARKER
//       adds WORD and saves, but stops for good once the temporary file is written and
//       before it replaces FILE, after writing MARKER. Never exits by itself.
#include <chrono>
#include <cstdio>
#include <memory>
#include <string>
#include <thread>

#include "engine/custom_dictionary.h"
#include "platform/os/atomic_file.h"

namespace {

constexpr int kUsage = 2;
constexpr int kSaveFailed = 3;
constexpr int kNotStopped = 4;

int AddWords(const std::string& file, const std::string& prefix, int count, bool keep) {
    std::unique_ptr<quillon::TCustomDictionary> dictionary;
    for (int i = 0; i < count; ++i) {
        if (!keep || !dictionary) {
            dictionary = std::make_unique<quillon::TCustomDictionary>();
            dictionary->SetFileName(file);
            if (dictionary->FileName() != file) return kSaveFailed;
        }
        if (!dictionary->AddWord(prefix + std::to_string(i))) return kSaveFailed;
        dictionary->Save();
        if (dictionary->Modified()) return kSaveFailed;
    }
    return 0;
}

int HangInSave(const std::string& file, const std::string& word, const std::string& marker) {
    quillon::os::SetBeforeReplaceHook([marker](const std::string& temporary) {
        if (std::FILE* out = std::fopen(marker.c_str(), "wb")) {
            std::fputs(temporary.c_str(), out);
            std::fclose(out);
        }
        for (;;) std::this_thread::sleep_for(std::chrono::seconds(1));
    });
    quillon::TCustomDictionary dictionary;
    dictionary.SetFileName(file);
    dictionary.AddWord(word);
    dictionary.Save();
    return kNotStopped;
}

}  // namespace

int main(int argc, char** argv) {
    const std::string command = argc > 1 ? argv[1] : "";
    if (command == "add" && argc == 6) {
        const std::string style = argv[5];
        if (style != "keep" && style != "fresh") return kUsage;
        return AddWords(argv[2], argv[3], std::stoi(argv[4]), style == "keep");
    }
    if (command == "hang" && argc == 5) return HangInSave(argv[2], argv[3], argv[4]);
    std::fputs("usage: ovu_test_helper add FILE PREFIX COUNT keep|fresh | hang FILE WORD MARKER\n", stderr);
    return kUsage;
}
