// quillon-cli -l [-d FILE.ovm]... [--custom FILE.ovu]... [--config FILE] [FILE...]: the misspelt words of the input, one per
// line, in order of appearance.
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "cli/commands.h"
#include "cli/configured_dictionaries.h"
#include "engine/dictionary_set.h"
#include "engine/ignore_filter_set.h"
#include "engine/parsing_engine.h"
#include "engine/spell_options.h"
#include "engine/string_parser.h"
#include "platform/os/ansi_codepage.h"

namespace quillon::cli {
namespace {

// Breaks lines into words and tells which ones need the user: those the dictionary set
// does not accept, and those a custom dictionary excludes.
class MisspellingLister {
public:
    MisspellingLister(std::vector<std::unique_ptr<TMainDictionary>> mainDictionaries,
                      std::vector<std::unique_ptr<TCustomDictionary>> customDictionaries, TSpellOptions options) {
        dictionaries_.MainDictionaries = std::move(mainDictionaries);
        dictionaries_.MainDictionariesChanged();
        if (!customDictionaries.empty()) {
            dictionaries_.ActiveCustom = std::move(customDictionaries.front());
            for (std::size_t i = 1; i < customDictionaries.size(); ++i)
                dictionaries_.OtherCustom.push_back(std::move(customDictionaries[i]));
        }
        dictionaries_.Options = options;
        filters_.BuildFilters(options);
        filters_.InstallHooks(engine_);
        dictionaries_.PromoteBestDictionary(&engine_);
    }

    // Calls `onMisspelt` with each misspelt word of one line of Windows-1252 text.
    template <typename OnMisspelt>
    void CheckLine(std::string& line, OnMisspelt&& onMisspelt) {
        TStringParser source(line);
        dictionaries_.SetIgnoreFilters(&filters_, &source);
        engine_.BeginCheck(source, 2);
        for (;;) {
            const std::string& word = engine_.NextWord();
            if (word.empty()) break;
            if (!dictionaries_.IsAcceptableWord(word) || dictionaries_.IsExcludedWord(word)) onMisspelt(word);
        }
        dictionaries_.SetIgnoreFilters(&filters_, nullptr);
    }

private:
    TDictionarySet dictionaries_;
    TMainParsingEngine engine_;
    TIgnoreFilterSet filters_;
};

}  // namespace

int RunList(ArgumentList args) {
    std::vector<std::string> dictionaryPaths;
    std::vector<std::string> customPaths;
    std::string configPath;
    std::vector<std::string> inputs;
    while (!args.Empty()) {
        const std::string arg = args.Take();
        if (arg == "-d") dictionaryPaths.push_back(args.TakeValue(arg));
        else if (arg == "--custom") customPaths.push_back(args.TakeValue(arg));
        else if (arg == "--config") configPath = args.TakeValue(arg);
        else if (arg.size() > 1 && arg[0] == '-') throw ECliError("unknown option " + arg + " (try --help)");
        else inputs.push_back(arg);
    }
    // A configuration names dictionaries and options; -d and --custom come after its own.
    ConfiguredDictionaries set;
    set.options = kProgramDefaultOptions;
    if (!configPath.empty()) set = LoadConfiguredDictionaries(configPath);
    else if (dictionaryPaths.empty()) dictionaryPaths.push_back(DefaultMainDictionaryPath());
    for (auto& d : OpenMainDictionaries(dictionaryPaths)) set.main.push_back(std::move(d));
    for (auto& d : OpenCustomDictionaries(customPaths)) set.custom.push_back(std::move(d));
    MisspellingLister lister(std::move(set.main), std::move(set.custom), set.options);

    // Every input must open before anything is listed, so that an error is not lost
    // halfway through the output.
    std::vector<std::FILE*> streams;
    for (const std::string& path : inputs) {
        try {
            streams.push_back(path == "-" ? stdin : OpenInput(path));
        } catch (...) {
            for (std::FILE* s : streams)
                if (s != stdin) std::fclose(s);
            throw;
        }
    }
    if (streams.empty()) streams.push_back(stdin);

    Output out;
    bool found = false;
    std::string line;
    for (std::FILE* stream : streams) {
        ForEachLine(stream, [&](std::string_view utf8) {
            line = os::Utf8ToCp1252(utf8);
            lister.CheckLine(line, [&](const std::string& word) {
                out.Line(os::Cp1252ToUtf8(word));
                found = true;
            });
        });
        if (stream != stdin) std::fclose(stream);
    }
    return found ? kExitFound : kExitOk;
}

}  // namespace quillon::cli
