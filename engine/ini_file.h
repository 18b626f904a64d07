// An ini file in the Windows format ("[section]" lines, then "key=value" lines), read and
// written by our own code so that it behaves the same on every platform.
//
// Reading follows the Windows profile functions: section and key names compare without
// regard to case; names and values lose their surrounding blanks; a value enclosed in one
// pair of matching quotes (" or ') loses them; of a repeated section or key the first one
// counts; lines before the first section, lines without "=" and lines starting with ";"
// hold no keys. Lines end with LF or CRLF.
//
// Writing changes only the lines it must: every other line, odd ones included, comes back
// as it was, and the file keeps its line ends (CRLF for a new file).
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace quillon {

class TIniFile {
public:
    // Files larger than this are not read (and so never replaced).
    static constexpr std::size_t kMaxFileSize = 64u << 20;

    enum class TLoadResult {
        Read,        // the file's content
        Missing,     // no such file: an empty document, saved as a new file
        Unreadable,  // there, but not readable whole: an empty document that is never saved
    };

    TIniFile() = default;
    explicit TIniFile(std::string_view text) { Parse(text); }

    TLoadResult LoadFromFile(const std::string& fileName);

    std::optional<std::string> Value(std::string_view section, std::string_view key) const;
    std::string ReadString(std::string_view section, std::string_view key,
                           std::string_view defaultValue) const;
    // False, with the document unchanged, for what the format cannot hold: a line break
    // in any of the three, blanks around a name, an empty key or one with "=", or a key
    // starting with "[" or ";". Values that reading would change are written quoted.
    bool WriteString(std::string_view section, std::string_view key, std::string_view value);

    std::string Text() const;
    // Replaces the file atomically; false (with a reason) when the document came from an
    // unreadable file or the file cannot be written.
    bool SaveToFile(const std::string& fileName, std::string* error = nullptr) const;

private:
    struct Section {
        std::string header;                                 // the raw "[name]" line; empty for the preamble
        std::vector<std::string> lines;                     // raw lines after the header, without line ends
        std::unordered_map<std::string, std::size_t> keys;  // folded key -> its first line
        std::size_t keysEnd = 0;                            // one past the last key line
    };

    static std::optional<TLoadResult> CheckFile(const std::string& fileName);
    TLoadResult ReadWhole(const std::string& fileName);
    void Parse(std::string_view text);
    void AddLine(std::string_view line);
    std::size_t AppendSection(std::string_view name);
    const Section* Find(std::string_view section) const;

    std::vector<Section> sections_{1};                           // [0]: the lines before the first section
    std::unordered_map<std::string, std::size_t> sectionIndex_;  // folded name -> first section
    static constexpr std::string_view kCrLf = "\r\n";
    static constexpr std::string_view kLf = "\n";
    std::string_view lineEnd_ = kCrLf;
    bool unreadable_ = false;
};

}  // namespace quillon
