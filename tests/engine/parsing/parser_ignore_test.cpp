#include "engine/parser_ignore.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/ignore_filter_set.h"
#include "engine/parsing_engine.h"
#include "engine/spell_options.h"
#include "engine/string_parser.h"
#include "word_reader.h"

namespace quillon {
namespace {

using Words = std::vector<std::string>;

TEST(IgnoreFilters, WordsAcceptedWithoutLookup) {
    TURLIgnore url;
    TUppercaseWordIgnore upper;
    TNumbersIgnore numbers;
    THTMLIgnore html;
    TAbbreviationsIgnore abbreviations;
    struct Case {
        TParserIgnore& filter;
        const char* word;
        bool ignored;
    };
    const Case cases[] = {
        {url, "www.x.org", true},
        {url, "WWW.X.ORG", true},
        {url, "wwwx.org", false},
        {url, "www", false},
        {upper, "NASA", true},
        {upper, "R2D2", true},
        {upper, "1984", true},
        {upper, "NASa", false},
        {numbers, "1st", true},
        {numbers, "abc9", true},
        {numbers, "abc", false},
        {html, "&nbsp", true},
        {html, "a&b", false},
        {abbreviations, "e.g.", true},
        {abbreviations, "U.S.A", true},
        {abbreviations, "U.S.A.", true},
        {abbreviations, "x.yz", true},
        {abbreviations, "etc.", false},
        {abbreviations, "Mr.", false},
        {abbreviations, "a.bcd", false},
        {abbreviations, "ab", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.word);
        EXPECT_EQ(c.filter.IgnoreWord(c.word, nullptr), c.ignored);
    }
}

TEST(IgnoreFilters, QuotedLines) {
    TQuotedLineIgnore standard;
    TQuotedLineIgnore custom("|#");
    struct Case {
        TQuotedLineIgnore& filter;
        const char* line;
        bool ignored;
    };
    const Case cases[] = {
        {standard, "> quoted", true},
        {standard, "not > quoted", false},
        {standard, " > indented", false},
        {standard, "", false},
        {custom, "| piped", true},
        {custom, "# hashed", true},
        {custom, "> other", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line);
        EXPECT_EQ(c.filter.IgnoreLine(c.line), c.ignored);
        std::string text = c.line;
        TStringParser source(text);
        EXPECT_EQ(c.filter.IgnoreWord("word", &source), c.ignored);
    }
    EXPECT_FALSE(standard.IgnoreWord("word", nullptr));
}

// A whole check: skipped text gives no words, accepted words read as "[word]".
struct CheckCase {
    const char* text;
    TSpellOptions options;
    Words words;
};

void ExpectChecks(const std::vector<CheckCase>& cases) {
    for (const CheckCase& c : cases) {
        SCOPED_TRACE(c.text);
        TIgnoreFilterSet filters;
        filters.BuildFilters(c.options);
        TMainParsingEngine engine;
        filters.InstallHooks(engine);
        std::string text = c.text;
        TStringParser source(text);
        engine.BeginCheck(source, 2);
        EXPECT_EQ(test::ReadAll(engine, &filters), c.words);
    }
}

TEST(IgnoreFilters, InternetAddresses) {
    ExpectChecks({
        {"see http://x.org/a/b now", {}, {"see", "http", "x.org", "a", "b", "now"}},
        {"see http://x.org/a/b now", {soInternet}, {"see", "now"}},
        {"see HTTPS://x.org/a?b=c&d now", {soInternet}, {"see", "now"}},
        {"(see ftp://x.org/a)next", {soInternet}, {"see", "next"}},
        {"mail john@x.org today", {soInternet}, {"mail", "today"}},
        {"visit www.x.org today", {soInternet}, {"visit", "[www.x.org]", "today"}},
        {"visit www.x.org/a/b today", {soInternet}, {"visit", "today"}},
        {"at http://x.org", {soInternet}, {"at"}},
        // A colon after an ordinary word is no address.
        {"note: ratio", {soInternet}, {"note", "ratio"}},
    });
}

TEST(IgnoreFilters, HtmlMarkup) {
    ExpectChecks({
        {"<b>word</b>", {}, {"b", "word", "b"}},
        {"<b>word</b>", {soHTML}, {"word"}},
        {"a <!-- x > y -- z --> c", {soHTML}, {"a", "c"}},
        {"x <% x > y %> z", {soHTML}, {"x", "z"}},
        {"x <?php if (a > b) ?> z", {soHTML}, {"x", "z"}},
        {"<!DOCTYPE html>word <!>x", {soHTML}, {"word", "x"}},
        {"a < b and c > d", {soHTML}, {"a", "d"}},
        {"a <p unterminated tail", {soHTML}, {"a"}},
        {"a <!-- open comment", {soHTML}, {"a"}},
        {"tail <", {soHTML}, {"tail"}},
        {"&nbsp;text", {soHTML}, {"[&nbsp]", "text"}},
    });
}

TEST(IgnoreFilters, AcceptedWords) {
    ExpectChecks({
        {"NASA and R2D2 in 1984", {soUpcase}, {"[NASA]", "and", "[R2D2]", "in", "[1984]"}},
        {"NASA and R2D2 in 1984", {soNumbers}, {"NASA", "and", "[R2D2]", "in", "[1984]"}},
        {"e.g. etc. Mr. U.S.A.", {soAbbreviations}, {"[e.g.]", "etc", "Mr", "[U.S.A.]"}},
        // Over a string the quoted line is the whole string.
        {"> quoted text\r\nnext line", {soQuoted}, {"[quoted]", "[text]", "[next]", "[line]"}},
        {"not > quoted", {soQuoted}, {"not", "quoted"}},
    });
}

}  // namespace
}  // namespace quillon
