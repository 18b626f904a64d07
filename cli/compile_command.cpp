// quillon-cli compile [--title TEXT] [--language ID] WORDLIST OUT.ovm
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "builders/ovm_writer.h"
#include "cli/commands.h"
#include "platform/os/ansi_codepage.h"
#include "platform/os/atomic_file.h"

namespace quillon::cli {
namespace {

std::uint32_t ParseLanguage(const std::string& text) {
    std::size_t used = 0;
    unsigned long value = 0;
    try {
        value = std::stoul(text, &used, 0);
    } catch (const std::exception&) {
        used = 0;
    }
    if (used != text.size() || value > 0xFFFFFFFFul) throw ECliError("--language wants a number, not " + text);
    return static_cast<std::uint32_t>(value);
}

}  // namespace

int RunCompile(ArgumentList args) {
    std::string title;
    bool titleGiven = false;
    std::uint32_t language = 1033;
    std::vector<std::string> files;
    while (!args.Empty()) {
        const std::string arg = args.Take();
        if (arg == "--title") {
            title = args.TakeValue(arg);
            titleGiven = true;
        } else if (arg == "--language") {
            language = ParseLanguage(args.TakeValue(arg));
        } else {
            files.push_back(arg);
        }
    }
    if (files.size() != 2) throw ECliError("compile wants a word list and an output file");
    const std::string& wordList = files[0];
    const std::string& output = files[1];
    if (!titleGiven) title = std::filesystem::path(output).stem().string();

    std::vector<std::string> words;
    std::size_t leftOut = 0;
    std::FILE* input = OpenInput(wordList);
    try {
        ForEachLine(input, [&](std::string_view line) {
            std::size_t unconvertible = 0;
            std::string word = os::Utf8ToCp1252(line, '?', &unconvertible);
            if (unconvertible != 0) ++leftOut;
            else if (!word.empty()) words.push_back(std::move(word));
        });
    } catch (...) {
        std::fclose(input);
        throw;
    }
    std::fclose(input);

    TOvmCompileResult result;
    try {
        result = CompileMainDictionary(std::move(words), os::Utf8ToUtf16(title), language);
    } catch (const EOvmCompileError& e) {
        throw ECliError(wordList + ": " + e.what());
    }
    std::string error;
    if (!os::WriteFileAtomically(output, result.bytes.data(), result.bytes.size(), &error)) throw ECliError(error);
    if (leftOut != 0)
        std::fprintf(stderr, "quillon-cli: left out %zu words that Windows-1252 cannot spell\n", leftOut);
    std::printf("%s: %u words, %u nodes, %zu bytes\n", output.c_str(), result.wordCount, result.nodeCount,
                result.bytes.size());
    return kExitOk;
}

}  // namespace quillon::cli
