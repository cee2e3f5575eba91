// Case-insensitive comparisons of the ASCII names the program deals in (window
// classes, titles, variable names, menu texts), folded as the invariant locale
// folds ASCII.
#pragma once

#include <algorithm>
#include <string_view>

namespace tarvo {

constexpr char FoldAscii(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

constexpr bool EqualsIgnoreCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) { return FoldAscii(x) == FoldAscii(y); });
}

constexpr bool ContainsIgnoreCase(std::string_view text, std::string_view part) {
    return std::search(text.begin(), text.end(), part.begin(), part.end(),
                       [](char x, char y) { return FoldAscii(x) == FoldAscii(y); }) != text.end();
}

}  // namespace tarvo
