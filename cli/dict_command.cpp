// quillon-cli dict FILE.ovu list|add WORD|exclude WORD|autocorrect WORD REPLACEMENT|remove WORD
#include <algorithm>
#include <iterator>
#include <string>
#include <vector>

#include "cli/commands.h"
#include "engine/custom_dictionary.h"
#include "platform/os/ansi_codepage.h"
#include "platform/os/os.h"

namespace quillon::cli {
namespace {

std::string ToCodePage(const std::string& utf8) {
    std::size_t unconvertible = 0;
    std::string text = os::Utf8ToCp1252(utf8, '?', &unconvertible);
    if (unconvertible != 0) throw ECliError(utf8 + " cannot be written in Windows-1252");
    return text;
}

struct DictAction {
    const char* name;
    std::size_t words;  // after the action
};

constexpr DictAction kActions[] = {
    {"list", 0}, {"add", 1}, {"exclude", 1}, {"autocorrect", 2}, {"remove", 1}};

const char* KindName(char type) {
    return type == ovu::kAdded ? "added" : type == ovu::kExcluded ? "excluded" : "autocorrect";
}

// Opens the file (a missing one only when `create`) and reads it, refusing what the
// dictionary would read as empty.
void Open(TCustomDictionary& dictionary, const std::string& path, bool create) {
    if (!create && !os::FileExists(path)) throw ECliError("cannot open " + path + ": no such file");
    dictionary.SetFileName(path);
    if (dictionary.FileName() != path) {
        if (os::FileExists(path)) throw ECliError(path + " is not a custom dictionary (.ovu)");
        throw ECliError("cannot create " + path);
    }
    dictionary.SetLoaded(true);
    if (!dictionary.Loaded()) throw ECliError("cannot read " + path);
    if (dictionary.Damaged()) throw ECliError(path + " is damaged; it is left as it is");
}

// Why an add was refused.
std::string RefusalOf(TCustomDictionary& dictionary, const std::string& word, const std::string& replacement,
                      const std::string& wordUtf8) {
    if (word.empty()) return "an empty word cannot be added";
    if (word.size() + replacement.size() > ovu::kMaxEntryBytes)
        return wordUtf8 + ": word and replacement are longer than 500 bytes together";
    std::string existing;
    if (dictionary.IsAdded(word)) return wordUtf8 + " is already an added word";
    if (dictionary.IsExcluded(word)) return wordUtf8 + " is already an excluded word";
    if (dictionary.GetAutoCorrect(word, existing))
        return wordUtf8 + " is already corrected to " + os::Cp1252ToUtf8(existing);
    return "cannot add " + wordUtf8;
}

void List(TCustomDictionary& dictionary) {
    Output out;
    dictionary.ForEachEntry(
        [&out](std::uint32_t, char type, std::string_view word, std::string_view replacement) {
            std::string line = KindName(type);
            line.append("\t").append(os::Cp1252ToUtf8(word));
            if (type == ovu::kAutoCorrect) line.append("\t").append(os::Cp1252ToUtf8(replacement));
            out.Line(line);
        });
}

// Answers the refusal, or empty when the change was made. `texts` are the words in
// Windows-1252, `words` as given.
std::string Change(TCustomDictionary& dictionary, const std::string& action,
                   const std::vector<std::string>& texts, const std::vector<std::string>& words) {
    const std::string& word = texts[0];
    if (action == "remove") {
        const bool removed = dictionary.RemoveWord(word) || dictionary.RemoveExcluded(word) ||
                             dictionary.RemoveAutoCorrect(word);
        return removed ? std::string() : words[0] + " is not in " + dictionary.FileName();
    }
    const std::string replacement = action == "autocorrect" ? texts[1] : std::string();
    const bool added = action == "add"       ? dictionary.AddWord(word)
                       : action == "exclude" ? dictionary.AddExcluded(word)
                                             : dictionary.AddAutoCorrect(word, replacement);
    return added ? std::string() : RefusalOf(dictionary, word, replacement, words[0]);
}

}  // namespace

int RunDict(ArgumentList args) {
    std::vector<std::string> rest = args.Rest();
    if (rest.size() < 2) throw ECliError("dict wants a dictionary file and an action (try --help)");
    const std::string path = rest[0];
    const std::string action = rest[1];
    const std::vector<std::string> words(rest.begin() + 2, rest.end());
    const auto known = std::find_if(std::begin(kActions), std::end(kActions),
                                    [&action](const DictAction& a) { return action == a.name; });
    if (known == std::end(kActions)) throw ECliError("unknown dict action " + action + " (try --help)");
    if (words.size() != known->words)
        throw ECliError("dict " + action + " wants " + std::to_string(known->words) +
                        (known->words == 1 ? " word" : " words"));

    // Converted before the file is opened, so that a word refused here creates no file.
    std::vector<std::string> texts;
    for (const std::string& w : words) texts.push_back(ToCodePage(w));

    TCustomDictionary dictionary;
    const bool editing = action != "list";
    Open(dictionary, path, editing);
    if (!editing) {
        List(dictionary);
        return kExitOk;
    }
    const std::string refusal = Change(dictionary, action, texts, words);
    if (!refusal.empty()) {
        dictionary.SetModified(false);  // so that a refused change creates no file
        throw ECliError(refusal);
    }
    dictionary.Save();
    if (dictionary.Modified()) {
        dictionary.SetModified(false);
        throw ECliError("cannot write " + path);
    }
    return kExitOk;
}

}  // namespace quillon::cli
