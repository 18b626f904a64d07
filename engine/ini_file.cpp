#include "engine/ini_file.h"

#include <cstdio>
#include <filesystem>
#include <system_error>

#include "platform/os/atomic_file.h"
#include "platform/os/os.h"

namespace quillon {
namespace {

constexpr std::string_view kBlanks = " \t\r\v\f";
constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

std::string_view Trim(std::string_view text) {
    const std::size_t start = text.find_first_not_of(kBlanks);
    if (start == std::string_view::npos) return {};
    return text.substr(start, text.find_last_not_of(kBlanks) - start + 1);
}

bool HasLineBreak(std::string_view text) {
    return text.find_first_of("\r\n") != std::string_view::npos;
}

std::string Folded(std::string_view name) {
    return os::AnsiLowerCase(name);
}

struct ParsedLine {
    enum Kind { Other, Header, Key } kind = Other;
    std::string_view name;  // of the section or key
    std::string_view rest;  // after the "=" of a key line
};

ParsedLine ParseLine(std::string_view raw) {
    const std::string_view text = Trim(raw);
    if (text.empty() || text.front() == ';') return {};
    if (text.front() == '[') {
        const std::size_t close = text.rfind(']');
        if (close == std::string_view::npos) return {};
        return {ParsedLine::Header, Trim(text.substr(1, close - 1)), {}};
    }
    const std::size_t equals = text.find('=');
    if (equals == std::string_view::npos) return {};
    return {ParsedLine::Key, Trim(text.substr(0, equals)), text.substr(equals + 1)};
}

std::string_view ValueOf(std::string_view rest) {
    const std::string_view value = Trim(rest);
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front())
        return value.substr(1, value.size() - 2);
    return value;
}

// The value as written: quoted when reading it bare would change it.
std::string Encoded(std::string_view value) {
    if (ValueOf(value) == value) return std::string(value);
    std::string quoted = "\"";
    quoted += value;
    quoted += '"';
    return quoted;
}

bool CanBeSection(std::string_view name) {
    return !HasLineBreak(name) && Trim(name) == name;
}

bool CanBeKey(std::string_view key) {
    return !key.empty() && !HasLineBreak(key) && Trim(key) == key &&
           key.find('=') == std::string_view::npos && key.front() != '[' && key.front() != ';';
}

// Writes go to what a link points at, so that a linked settings file stays linked.
std::string WriteTarget(const std::string& fileName) {
    try {
        std::error_code ec;
        if (std::filesystem::is_symlink(fileName, ec)) {
            const auto target = std::filesystem::canonical(fileName, ec);
            if (!ec) return target.string();
        }
    } catch (const std::exception&) {
    }
    return fileName;
}

}  // namespace

// Only a regular file is opened, so that a pipe or device in its place cannot hold
// the reader up.
std::optional<TIniFile::TLoadResult> TIniFile::CheckFile(const std::string& fileName) {
    if (fileName.empty() || fileName.find('\0') != std::string::npos) return TLoadResult::Unreadable;
    try {
        std::error_code ec;
        const auto status = std::filesystem::status(fileName, ec);
        if (status.type() == std::filesystem::file_type::not_found) return TLoadResult::Missing;
        if (ec || status.type() != std::filesystem::file_type::regular) return TLoadResult::Unreadable;
    } catch (const std::exception&) {
        return TLoadResult::Unreadable;
    }
    return std::nullopt;
}

TIniFile::TLoadResult TIniFile::LoadFromFile(const std::string& fileName) {
    *this = TIniFile();
    const TLoadResult result = ReadWhole(fileName);
    unreadable_ = result == TLoadResult::Unreadable;
    return result;
}

TIniFile::TLoadResult TIniFile::ReadWhole(const std::string& fileName) {
    if (const auto early = CheckFile(fileName)) return *early;
    std::FILE* file = std::fopen(fileName.c_str(), "rb");
    if (!file) return TLoadResult::Unreadable;
    std::string text;
    char buffer[65536];
    std::size_t got = 0;
    while (text.size() <= kMaxFileSize && (got = std::fread(buffer, 1, sizeof buffer, file)) > 0)
        text.append(buffer, got);
    const bool failed = std::ferror(file) != 0 || text.size() > kMaxFileSize;
    std::fclose(file);
    if (failed) return TLoadResult::Unreadable;
    Parse(text);
    return TLoadResult::Read;
}

void TIniFile::Parse(std::string_view text) {
    const std::size_t firstBreak = text.find('\n');
    if (firstBreak != std::string_view::npos && (firstBreak == 0 || text[firstBreak - 1] != '\r'))
        lineEnd_ = kLf;
    for (std::size_t start = 0; start < text.size();) {
        std::size_t end = text.find('\n', start);
        if (end == std::string_view::npos) end = text.size();
        std::string_view line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        AddLine(line);
        start = end + 1;
    }
}

void TIniFile::AddLine(std::string_view line) {
    const bool first = sections_.size() == 1 && sections_[0].lines.empty();
    const std::string_view content =
        first && line.starts_with(kUtf8Bom) ? line.substr(kUtf8Bom.size()) : line;
    const ParsedLine parsed = ParseLine(content);
    if (parsed.kind == ParsedLine::Header) {
        Section section;
        section.header = line;
        sections_.push_back(std::move(section));
        sectionIndex_.try_emplace(Folded(parsed.name), sections_.size() - 1);
        return;
    }
    Section& section = sections_.back();
    section.lines.emplace_back(line);
    if (parsed.kind == ParsedLine::Key) {
        section.keys.try_emplace(Folded(parsed.name), section.lines.size() - 1);
        section.keysEnd = section.lines.size();
    }
}

const TIniFile::Section* TIniFile::Find(std::string_view section) const {
    const auto found = sectionIndex_.find(Folded(section));
    return found == sectionIndex_.end() ? nullptr : &sections_[found->second];
}

std::optional<std::string> TIniFile::Value(std::string_view section, std::string_view key) const {
    const Section* s = Find(section);
    if (!s) return std::nullopt;
    const auto found = s->keys.find(Folded(key));
    if (found == s->keys.end()) return std::nullopt;
    return std::string(ValueOf(ParseLine(s->lines[found->second]).rest));
}

std::string TIniFile::ReadString(std::string_view section, std::string_view key,
                                 std::string_view defaultValue) const {
    return Value(section, key).value_or(std::string(defaultValue));
}

std::size_t TIniFile::AppendSection(std::string_view name) {
    Section& last = sections_.back();
    const bool documentEmpty = sections_.size() == 1 && last.lines.empty();
    if (!documentEmpty && !(last.lines.empty() ? last.header.empty() : Trim(last.lines.back()).empty()))
        last.lines.emplace_back();  // a blank line before the new section
    Section section;
    section.header.append(1, '[').append(name).append(1, ']');
    sections_.push_back(std::move(section));
    sectionIndex_.emplace(Folded(name), sections_.size() - 1);
    return sections_.size() - 1;
}

bool TIniFile::WriteString(std::string_view section, std::string_view key, std::string_view value) {
    if (!CanBeSection(section) || !CanBeKey(key) || HasLineBreak(value)) return false;
    const auto found = sectionIndex_.find(Folded(section));
    Section& s = sections_[found == sectionIndex_.end() ? AppendSection(section) : found->second];
    const std::string folded = Folded(key);
    const auto existing = s.keys.find(folded);
    if (existing != s.keys.end()) {
        std::string& line = s.lines[existing->second];
        line = std::string(ParseLine(line).name) + "=" + Encoded(value);
        return true;
    }
    // After the section's last key, so that the lines after it (blank lines, comments
    // about the next section) stay where they are and no key index moves.
    const std::size_t at = s.keysEnd;
    s.lines.insert(s.lines.begin() + static_cast<std::ptrdiff_t>(at),
                   std::string(key) + "=" + Encoded(value));
    s.keys.emplace(folded, at);
    s.keysEnd = at + 1;
    return true;
}

std::string TIniFile::Text() const {
    std::string text;
    for (const Section& section : sections_) {
        if (!section.header.empty()) text.append(section.header).append(lineEnd_);
        for (const std::string& line : section.lines) text.append(line).append(lineEnd_);
    }
    return text;
}

bool TIniFile::SaveToFile(const std::string& fileName, std::string* error) const {
    if (unreadable_) {
        if (error) *error = fileName + " could not be read, so it is not replaced";
        return false;
    }
    const std::string text = Text();
    return os::WriteFileAtomically(WriteTarget(fileName), text.data(), text.size(), error);
}

}  // namespace quillon
