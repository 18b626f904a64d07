#include "engine/edit_distance.h"

#include <algorithm>
#include <array>
#include <cstddef>

namespace quillon {
namespace {

constexpr std::size_t kMaxCompared = 255;

// Two rows of the classic table, on the stack: this runs once per candidate.
int Levenshtein(std::string_view a, std::string_view b) {
    std::array<int, kMaxCompared + 1> rows[2];
    int* previous = rows[0].data();
    int* current = rows[1].data();
    for (std::size_t j = 0; j <= b.size(); ++j) previous[j] = static_cast<int>(j);
    for (std::size_t i = 1; i <= a.size(); ++i) {
        current[0] = static_cast<int>(i);
        for (std::size_t j = 1; j <= b.size(); ++j) {
            const int substitution = previous[j - 1] + (a[i - 1] == b[j - 1] ? 0 : 1);
            current[j] = std::min({previous[j] + 1, current[j - 1] + 1, substitution});
        }
        std::swap(previous, current);
    }
    return previous[b.size()];
}

}  // namespace

int EditDistance(std::string_view a, std::string_view b) {
    if (a.size() >= kMaxCompared || b.size() >= kMaxCompared) {
        return static_cast<int>(std::max(a.size(), b.size()));
    }
    int distance = Levenshtein(a, b);
    const std::size_t shorter = std::min(a.size(), b.size());
    for (std::size_t i = 1; i < shorter; ++i) {
        if (a[i] == b[i - 1] && a[i - 1] == b[i] && a[i] != a[i - 1] && distance > 0) {
            --distance;
            ++i;  // the pair is spent
        }
    }
    // The pass can take «abab» and «baba» down to 0, which would tie a stranger with a
    // word the user chose before.
    if (distance < 1 && a != b) distance = 1;
    return distance;
}

}  // namespace quillon
