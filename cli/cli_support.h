// What the commands of quillon-cli share: errors, text input and output at the UTF-8
// edge, and opening main dictionaries.
#pragma once

#include <cstdio>
#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "engine/custom_dictionary.h"
#include "engine/main_dictionary.h"

namespace quillon::cli {

inline constexpr int kExitOk = 0;
inline constexpr int kExitFound = 1;
inline constexpr int kExitError = 2;

// A failure reported as one line on standard error with exit status 2.
class ECliError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Arguments after the command word, consumed from the front.
class ArgumentList {
public:
    explicit ArgumentList(std::vector<std::string> args) : args_(std::move(args)) {}
    bool Empty() const { return next_ >= args_.size(); }
    const std::string& Peek() const { return args_[next_]; }
    std::string Take();
    // The value after an option such as --title; an error when it is missing.
    std::string TakeValue(std::string_view option);
    std::vector<std::string> Rest();

private:
    std::vector<std::string> args_;
    std::size_t next_ = 0;
};

// Calls `onLine` with each line of the stream (without its line end), reading in
// large blocks. Lines end at LF; a CR before it is dropped.
void ForEachLine(std::FILE* stream, const std::function<void(std::string_view)>& onLine);

// Opens a file for reading or throws a clear error.
std::FILE* OpenInput(const std::string& path);

// Buffered standard output.
class Output {
public:
    Output();
    ~Output();
    Output(const Output&) = delete;
    Output& operator=(const Output&) = delete;
    void Line(std::string_view text);
};

// Opens each main dictionary and checks that it maps; throws on the first that does not.
std::vector<std::unique_ptr<TMainDictionary>> OpenMainDictionaries(const std::vector<std::string>& paths);

// Opens each custom dictionary (read when first asked); throws on the first that does
// not open.
std::vector<std::unique_ptr<TCustomDictionary>> OpenCustomDictionaries(const std::vector<std::string>& paths);

// The main dictionary that ships beside the program.
std::string DefaultMainDictionaryPath();

}  // namespace quillon::cli
