#include "engine/dictionary_set.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "builders/ovm_writer.h"
#include "engine/ignore_filter_set.h"
#include "engine/parsing_engine.h"
#include "platform/os/os.h"
#include "tests/support/temp_folder.h"

namespace quillon {
namespace {

class DictionarySetTest : public ::testing::Test {
protected:
    std::unique_ptr<TMainDictionary> Main(const std::string& name, std::vector<std::string> words,
                                          std::uint32_t language) {
        const auto compiled = CompileMainDictionary(std::move(words), u"T", language);
        auto dictionary = std::make_unique<TMainDictionary>();
        dictionary->Open(folder_.Write(name, compiled.bytes));
        return dictionary;
    }

    static std::unique_ptr<TCustomDictionary> Custom(const std::vector<std::string>& added) {
        auto dictionary = std::make_unique<TCustomDictionary>();
        for (const std::string& w : added) dictionary->AddWord(w);
        return dictionary;
    }

    // An English main dictionary, with custom lists of every kind.
    void SetUpEnglish() {
        set_.MainDictionaries.push_back(
            Main("en.ovm", {"the", "cat", "dog", "Paris", "don't", "color", "one"}, 1033));
        set_.MainDictionariesChanged();
        set_.ActiveCustom = Custom({"Quillon"});
        set_.OtherCustom.push_back(Custom({"wombat"}));
        set_.WordDictionaries.push_back(Custom({"Brightwick"}));
        set_.SessionList().AddWord("zzyzx");
    }

    test::TempFolder folder_;
    TDictionarySet set_;
};

TEST_F(DictionarySetTest, AcceptanceFollowsTheCaseRule) {
    SetUpEnglish();
    struct Case {
        TCaseModification cases;
        const char* word;
        bool acceptable;
    };
    const Case table[] = {
        {TCaseModification::cmInitialCaps, "the", true},
        {TCaseModification::cmInitialCaps, "The", true},  // start of a sentence
        {TCaseModification::cmInitialCaps, "THE", false},
        {TCaseModification::cmInitialCaps, "tHe", false},
        {TCaseModification::cmInitialCaps, "Paris", true},
        {TCaseModification::cmInitialCaps, "paris", false},  // a name only lowers, never raises
        {TCaseModification::cmInitialCaps, "PARIS", false},
        {TCaseModification::cmInitialCapsOrUpcase, "THE", true},
        {TCaseModification::cmInitialCapsOrUpcase, "The", true},
        {TCaseModification::cmInitialCapsOrUpcase, "ThE", false},
        {TCaseModification::cmInitialCapsOrUpcase, "PARIS", false},
        {TCaseModification::cmAnyCase, "tHE", true},
        {TCaseModification::cmAnyCase, "paris", false},
        {TCaseModification::cmNone, "The", false},
        {TCaseModification::cmNone, "the", true},
        // Every list that accepts words, as typed and relaxed.
        {TCaseModification::cmInitialCaps, "Quillon", true},
        {TCaseModification::cmInitialCaps, "Wombat", true},
        {TCaseModification::cmInitialCaps, "Brightwick", true},
        {TCaseModification::cmInitialCaps, "zzyzx", true},
        {TCaseModification::cmInitialCaps, "quillon", false},
        // Possessives through the English rule, with either apostrophe.
        {TCaseModification::cmInitialCaps, "cat's", true},
        {TCaseModification::cmInitialCaps, "Cat's", true},
        {TCaseModification::cmInitialCaps, "cat'S", true},
        {TCaseModification::cmInitialCaps, "Paris's", true},
        {TCaseModification::cmInitialCaps, "cats's", false},
        {TCaseModification::cmInitialCaps, "cat's's", false},  // the first "'s" must end the word
        {TCaseModification::cmInitialCaps, "'s", false},
        {TCaseModification::cmInitialCaps, "cat\x92s", true},
        {TCaseModification::cmInitialCaps, "don\x92t", true},
        {TCaseModification::cmInitialCaps, "Don\x92t", true},
        {TCaseModification::cmInitialCaps, "won\x92t", false},
        // Numbers and single characters need no lookup.
        {TCaseModification::cmInitialCaps, "3.14", true},
        {TCaseModification::cmInitialCaps, "-2e5", true},
        {TCaseModification::cmInitialCaps, "1.2.3", false},
        {TCaseModification::cmInitialCaps, "x", true},
        {TCaseModification::cmInitialCaps, "xy", false},
        {TCaseModification::cmInitialCaps, "", false},
    };
    for (const Case& c : table) {
        set_.AllowedCases = c.cases;
        EXPECT_EQ(set_.IsAcceptableWord(c.word), c.acceptable)
            << "'" << c.word << "' with case rule " << static_cast<int>(c.cases);
    }
}

TEST_F(DictionarySetTest, CustomCaseRuleAsksTheEvent) {
    SetUpEnglish();
    set_.AllowedCases = TCaseModification::cmCustom;
    EXPECT_FALSE(set_.IsAcceptableWord("CAT"));
    set_.OnCaseModification = [](TDictionarySet&, std::string& word) { word = os::AnsiLowerCase(word); };
    EXPECT_TRUE(set_.IsAcceptableWord("CAT"));
    EXPECT_EQ(set_.AdjustCase(""), "");
}

TEST_F(DictionarySetTest, PossessivesNeedAnEnglishDictionary) {
    set_.MainDictionaries.push_back(Main("fr.ovm", {"chat", "l'homme"}, 1036));
    set_.MainDictionariesChanged();
    EXPECT_FALSE(set_.English());
    EXPECT_TRUE(set_.IsAcceptableWord("chat"));
    EXPECT_FALSE(set_.IsAcceptableWord("chat's"));
    EXPECT_FALSE(set_.IsEnglishPossessive("chat's"));

    set_.MainDictionaries.push_back(Main("en.ovm", {"dog"}, 2057));  // British English: low byte 9
    set_.MainDictionariesChanged();
    EXPECT_TRUE(set_.IsAcceptableWord("dog's"));
    EXPECT_FALSE(set_.IsAcceptableWord("chat's")) << "only English dictionaries are asked";
}

TEST_F(DictionarySetTest, FiltersAcceptWhatTheDictionariesDoNot) {
    SetUpEnglish();
    TIgnoreFilterSet filters;
    filters.BuildFilters(TSpellOptions{soUpcase, soNumbers});
    EXPECT_FALSE(set_.IsAcceptableWord("NATO"));
    set_.SetIgnoreFilters(&filters, nullptr);
    EXPECT_TRUE(set_.IsAcceptableWord("NATO"));
    EXPECT_TRUE(set_.IsAcceptableWord("THE"));
    EXPECT_TRUE(set_.IsAcceptableWord("mp3"));
    EXPECT_FALSE(set_.IsAcceptableWord("Nato"));
}

TEST(LocaleNumber, ReadsTheLocaleFormat) {
    struct Case {
        const char* text;
        char separator;
        bool number;
    };
    const Case table[] = {
        {"42", '.', true},     {"3.14", '.', true},  {".5", '.', true},   {"5.", '.', true},
        {"+1e10", '.', true},  {"1.5E-3", '.', true}, {"3,14", ',', true}, {"3,14", '.', false},
        {"3.14", ',', false},  {"1.2.3", '.', false}, {"e5", '.', false},  {"1e", '.', false},
        {"-", '.', false},     {".", '.', false},     {"", '.', false},    {"12a", '.', false},
        {"1 000", '.', false},
    };
    for (const Case& c : table) EXPECT_EQ(IsLocaleNumber(c.text, c.separator), c.number) << c.text;
}

TEST_F(DictionarySetTest, KnownAndExcludedAreSeparateAnswers) {
    SetUpEnglish();
    set_.ActiveCustom->AddExcluded("color");
    set_.OtherCustom.front()->AddExcluded("dog");
    EXPECT_TRUE(set_.IsKnownWord("color"));
    EXPECT_TRUE(set_.IsExcludedWord("color"));
    EXPECT_TRUE(set_.IsExcludedWord("dog"));
    EXPECT_FALSE(set_.IsExcludedWord("cat"));

    set_.Mapping = std::make_unique<TCustomDictionary>();
    set_.Mapping->AddAutoCorrect("colour", "color");
    EXPECT_TRUE(set_.IsExcludedWord("colour")) << "a fixed replacement excludes the word";
}

TEST_F(DictionarySetTest, AutomaticReplacementsInOrder) {
    SetUpEnglish();
    set_.SessionList().AddAutoCorrect("teh", "session");
    set_.OtherCustom.front()->AddAutoCorrect("teh", "other");
    set_.OtherCustom.front()->AddAutoCorrect("adn", "and");
    set_.Mapping = std::make_unique<TCustomDictionary>();
    set_.Mapping->AddAutoCorrect("recieve", "receive");
    set_.Learning = std::make_unique<TCustomDictionary>();
    set_.Learning->AddAutoCorrect("wierd", "weird");

    struct Case {
        const char* name;
        std::function<void(TDictionarySet&)> setup;
        const char* word;
        const char* replacement;  // null: none
    };
    const Case table[] = {
        {"the session list before other dictionaries", nullptr, "teh", "session"},
        {"the active dictionary first",
         [](TDictionarySet& s) { s.ActiveCustom->AddAutoCorrect("teh", "active"); }, "teh", "active"},
        {"other custom dictionaries", nullptr, "adn", "and"},
        {"mapping while it replaces", nullptr, "recieve", "receive"},
        {"no mapping when it does not", [](TDictionarySet& s) { s.MappingAutoReplace = false; }, "recieve", nullptr},
        {"no learnt replacement by default", nullptr, "wierd", nullptr},
        {"learnt replacement when asked", [](TDictionarySet& s) { s.SuggestionsAutoReplace = true; }, "wierd",
         "weird"},
        {"two capitals without the option", nullptr, "THe", nullptr},
        {"two capitals", [](TDictionarySet& s) { s.Options.Include(soDUalCaps); }, "THe", "The"},
        {"two capitals, a name", [](TDictionarySet& s) { s.Options.Include(soDUalCaps); }, "PAris", "Paris"},
        {"two capitals, one form unknown", [](TDictionarySet& s) { s.Options.Include(soDUalCaps); }, "CAtt",
         nullptr},
        {"second character not a letter", [](TDictionarySet& s) { s.Options.Include(soDUalCaps); }, "T1he",
         nullptr},
        {"rest not lower case", [](TDictionarySet& s) { s.Options.Include(soDUalCaps); }, "THE", nullptr},
        {"too short", [](TDictionarySet& s) { s.Options.Include(soDUalCaps); }, "DO", nullptr},
    };
    for (const Case& c : table) {
        SCOPED_TRACE(c.name);
        if (c.setup) c.setup(set_);
        std::string replacement;
        const bool found = set_.FindAutoCorrect(c.word, replacement);
        EXPECT_EQ(found, c.replacement != nullptr);
        if (found && c.replacement) {
            EXPECT_EQ(replacement, c.replacement);
        }
        set_.ActiveCustom->RemoveAutoCorrect("teh");
        set_.MappingAutoReplace = true;
        set_.SuggestionsAutoReplace = false;
        set_.Options = TSpellOptions{};
    }
}

TEST_F(DictionarySetTest, SuggestionCandidatesFromMainOnlyWhenAsked) {
    SetUpEnglish();
    EXPECT_TRUE(set_.SuggestionWordExists("Quillon"));
    EXPECT_TRUE(set_.SuggestionWordExists("Cat"));
    EXPECT_TRUE(set_.SuggestionWordExists("dog's"));
    set_.Options.Include(soPrimaryOnly);
    EXPECT_FALSE(set_.SuggestionWordExists("Quillon"));
    EXPECT_TRUE(set_.SuggestionWordExists("Cat"));
    EXPECT_TRUE(set_.SuggestionWordExists("dog's"));
}

TEST_F(DictionarySetTest, BusiestDictionaryMovesToTheFront) {
    set_.MainDictionaries.push_back(Main("en.ovm", {"the", "cat"}, 1033));
    set_.MainDictionaries.push_back(Main("de.ovm", {"der", "hund"}, 1031));
    set_.MainDictionaries.push_back(Main("fr.ovm", {"le", "chat", "chien"}, 1036));
    set_.MainDictionariesChanged();
    TMainParsingEngine breaker;

    set_.PromoteBestDictionary(&breaker);
    EXPECT_EQ(set_.MainDictionaries.front()->Language(), 1033u) << "ties keep the first";
    EXPECT_FALSE(breaker.FrenchApostrophes());

    for (const char* w : {"le", "chat", "chien", "le"}) EXPECT_TRUE(set_.IsKnownWord(w));
    EXPECT_TRUE(set_.IsPrimaryWord("der"));
    EXPECT_TRUE(set_.IsEnglishPossessive("cat's"));  // not counted
    EXPECT_EQ(set_.MainDictionaries[0]->WordsFound(), 0);
    EXPECT_EQ(set_.MainDictionaries[2]->WordsFound(), 4);

    set_.PromoteBestDictionary(&breaker);
    ASSERT_EQ(set_.MainDictionaries.size(), 3u);
    EXPECT_EQ(set_.MainDictionaries[0]->Language(), 1036u);
    EXPECT_EQ(set_.MainDictionaries[1]->Language(), 1033u) << "the others keep their order";
    EXPECT_EQ(set_.MainDictionaries[2]->Language(), 1031u);
    EXPECT_EQ(set_.SuggestionLanguage(), 1036u);
    EXPECT_TRUE(breaker.FrenchApostrophes());
}

TEST_F(DictionarySetTest, EmptySetAcceptsOnlyWhatNeedsNoDictionary) {
    EXPECT_FALSE(set_.IsKnownWord("the"));
    EXPECT_TRUE(set_.IsAcceptableWord("7"));
    EXPECT_TRUE(set_.IsAcceptableWord("a"));
    EXPECT_FALSE(set_.IsAcceptableWord("the"));
    EXPECT_FALSE(set_.IsExcludedWord("the"));
    set_.PromoteBestDictionary(nullptr);
    EXPECT_EQ(set_.SuggestionLanguage(), 0u);
}

}  // namespace
}  // namespace quillon
