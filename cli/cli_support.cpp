#include "cli/cli_support.h"

#include <cerrno>
#include <cstring>

#include "platform/os/os.h"

namespace quillon::cli {

std::string ArgumentList::Take() {
    if (Empty()) throw ECliError("missing argument");
    return args_[next_++];
}

std::string ArgumentList::TakeValue(std::string_view option) {
    if (Empty()) throw ECliError(std::string(option) + " needs a value");
    return Take();
}

std::vector<std::string> ArgumentList::Rest() {
    std::vector<std::string> rest(args_.begin() + static_cast<std::ptrdiff_t>(next_), args_.end());
    next_ = args_.size();
    return rest;
}

void ForEachLine(std::FILE* stream, const std::function<void(std::string_view)>& onLine) {
    std::vector<char> block(1 << 16);
    std::string pending;
    auto emit = [&onLine](std::string_view line) {
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        onLine(line);
    };
    std::size_t got;
    while ((got = std::fread(block.data(), 1, block.size(), stream)) > 0) {
        std::string_view chunk(block.data(), got);
        std::size_t newline;
        while ((newline = chunk.find('\n')) != std::string_view::npos) {
            if (pending.empty()) {
                emit(chunk.substr(0, newline));
            } else {
                pending.append(chunk.substr(0, newline));
                emit(pending);
                pending.clear();
            }
            chunk.remove_prefix(newline + 1);
        }
        pending.append(chunk);
    }
    if (std::ferror(stream)) throw ECliError(std::string("read error: ") + std::strerror(errno));
    if (!pending.empty()) emit(pending);
}

std::FILE* OpenInput(const std::string& path) {
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file) throw ECliError("cannot open " + path + ": " + std::strerror(errno));
    return file;
}

Output::Output() { std::setvbuf(stdout, nullptr, _IOFBF, 1 << 16); }

Output::~Output() { std::fflush(stdout); }

void Output::Line(std::string_view text) {
    std::fwrite(text.data(), 1, text.size(), stdout);
    std::fputc('\n', stdout);
}

std::vector<std::unique_ptr<TMainDictionary>> OpenMainDictionaries(const std::vector<std::string>& paths) {
    std::vector<std::unique_ptr<TMainDictionary>> dictionaries;
    for (const std::string& path : paths) {
        if (!os::FileExists(path)) throw ECliError("cannot open " + path + ": no such file");
        auto dictionary = std::make_unique<TMainDictionary>();
        dictionary->Open(path);
        if (dictionary->FileName() != path) throw ECliError(path + " is not a main dictionary (.ovm)");
        dictionary->SetLoaded(true);
        if (!dictionary->Loaded()) throw ECliError(path + " is damaged: its tables do not fit the file");
        dictionaries.push_back(std::move(dictionary));
    }
    return dictionaries;
}

std::vector<std::unique_ptr<TCustomDictionary>> OpenCustomDictionaries(const std::vector<std::string>& paths) {
    std::vector<std::unique_ptr<TCustomDictionary>> dictionaries;
    for (const std::string& path : paths) {
        if (!os::FileExists(path)) throw ECliError("cannot open " + path + ": no such file");
        auto dictionary = std::make_unique<TCustomDictionary>();
        dictionary->SetFileName(path);
        if (dictionary->FileName() != path) throw ECliError(path + " is not a custom dictionary (.ovu)");
        dictionaries.push_back(std::move(dictionary));
    }
    return dictionaries;
}

std::string DefaultMainDictionaryPath() {
    return os::ProgramFolder() + os::PathSeparator() + "american.ovm";
}

}  // namespace quillon::cli
