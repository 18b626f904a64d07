// quillon-cli: the spelling engine on the command line.
#include <cstdio>
#include <exception>
#include <string>
#include <vector>

#include "cli/commands.h"

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#include <windows.h>
#endif

namespace {

constexpr const char* kUsage =
    "usage: quillon-cli -l [-d FILE.ovm]... [--custom FILE.ovu]... [--config FILE] [FILE...]\n"
    "                                                   list misspelt words, one per line\n"
    "       quillon-cli compile [--title TEXT] [--language ID] WORDLIST OUT.ovm\n"
    "                                                   compile a UTF-8 word list (language 1033 by default)\n"
    "       quillon-cli words FILE.ovm [PREFIX]         print the words of a dictionary\n"
    "       quillon-cli dict FILE.ovu list|add WORD|exclude WORD|autocorrect WORD REPLACEMENT|remove WORD\n"
    "                                                   edit a custom dictionary (made when missing); list\n"
    "                                                   prints KIND<TAB>WORD[<TAB>REPLACEMENT] in table order,\n"
    "                                                   KIND being added, excluded or autocorrect\n"
    "Text in and out is UTF-8. Without -d the american.ovm beside the program is used.\n"
    "Exit status: 0 no misspelt word, 1 misspelt words found, 2 error.\n";

// Bytes pass through untouched: the text is UTF-8 and line ends are handled by us.
void UseBinaryStreams() {
#ifdef _WIN32
    _setmode(_fileno(stdin), _O_BINARY);
    _setmode(_fileno(stdout), _O_BINARY);
    SetConsoleOutputCP(CP_UTF8);
#endif
}

int Dispatch(std::vector<std::string> args) {
    using namespace quillon::cli;
    if (args.empty() || args[0] == "-h" || args[0] == "--help") {
        std::fputs(kUsage, args.empty() ? stderr : stdout);
        return args.empty() ? kExitError : kExitOk;
    }
    const std::string command = args[0];
    ArgumentList rest(std::vector<std::string>(args.begin() + 1, args.end()));
    if (command == "-l") return RunList(std::move(rest));
    if (command == "compile") return RunCompile(std::move(rest));
    if (command == "words") return RunWords(std::move(rest));
    if (command == "dict") return RunDict(std::move(rest));
    throw ECliError("unknown command " + command + " (try --help)");
}

}  // namespace

int main(int argc, char** argv) {
    UseBinaryStreams();
    try {
        return Dispatch(std::vector<std::string>(argv + 1, argv + argc));
    } catch (const quillon::cli::ECliError& e) {
        std::fflush(stdout);
        std::fprintf(stderr, "quillon-cli: %s\n", e.what());
    } catch (const std::exception& e) {
        std::fflush(stdout);
        std::fprintf(stderr, "quillon-cli: unexpected failure: %s\n", e.what());
    }
    return quillon::cli::kExitError;
}
