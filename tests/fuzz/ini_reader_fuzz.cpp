// Feeds arbitrary bytes to the ini reader and checks what must hold for any file: its
// text written back reads the same, and a write changes exactly the value written.
// After the last NUL byte, "section\x01key\x01value" names the write (a default one else).
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "engine/ini_file.h"
#include "platform/os/os.h"

namespace {

using quillon::TIniFile;

void Require(bool holds) {
    if (!holds) std::abort();
}

// Names worth asking for: the pieces of the text between line breaks, "=", "[" and "]".
std::vector<std::string> CandidateNames(std::string_view text) {
    std::vector<std::string> names = {"", "Default", "_Main_count"};
    std::size_t start = 0;
    for (std::size_t i = 0; i <= text.size() && names.size() < 24; ++i) {
        if (i < text.size() && std::string_view("\r\n=[]").find(text[i]) == std::string_view::npos) continue;
        std::string_view piece = text.substr(start, i - start);
        while (!piece.empty() && (piece.front() == ' ' || piece.front() == '\t')) piece.remove_prefix(1);
        while (!piece.empty() && (piece.back() == ' ' || piece.back() == '\t')) piece.remove_suffix(1);
        if (!piece.empty() && piece.size() < 64) names.emplace_back(piece);
        start = i + 1;
    }
    return names;
}

struct Write {
    std::string section = "Default", key = "_Main_0", value = "american.ovm";
};

Write WriteOf(std::string_view entry) {
    Write w;
    const std::size_t a = entry.find('\x01');
    const std::size_t b = a == std::string_view::npos ? a : entry.find('\x01', a + 1);
    if (b == std::string_view::npos) return w;
    return {std::string(entry.substr(0, a)), std::string(entry.substr(a + 1, b - a - 1)),
            std::string(entry.substr(b + 1))};
}

using Values = std::vector<std::pair<std::pair<std::string, std::string>, std::optional<std::string>>>;

Values Read(const TIniFile& ini, const std::vector<std::string>& names) {
    Values values;
    for (const std::string& section : names)
        for (const std::string& key : names) values.push_back({{section, key}, ini.Value(section, key)});
    return values;
}

bool Same(const std::string& a, const std::string& b) {
    return quillon::os::AnsiLowerCase(a) == quillon::os::AnsiLowerCase(b);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const std::size_t nul = input.rfind('\0');
    const std::string_view text = nul == std::string_view::npos ? input : input.substr(0, nul);
    const Write write = nul == std::string_view::npos ? Write() : WriteOf(input.substr(nul + 1));

    TIniFile ini(text);
    std::vector<std::string> names = CandidateNames(text);
    names.push_back(write.section);
    names.push_back(write.key);
    const Values before = Read(ini, names);
    Require(Read(TIniFile(ini.Text()), names) == before);

    const std::string unchanged = ini.Text();
    if (!ini.WriteString(write.section, write.key, write.value)) {
        Require(ini.Text() == unchanged);
        return 0;
    }
    const Values after = Read(ini, names);
    Require(Read(TIniFile(ini.Text()), names) == after);
    for (std::size_t i = 0; i < before.size(); ++i) {
        const auto& [section, key] = before[i].first;
        const bool written = Same(section, write.section) && Same(key, write.key);
        Require(written ? after[i].second == write.value : after[i].second == before[i].second);
    }
    return 0;
}
