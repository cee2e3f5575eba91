// Compile-time checks over the codes of the adapters' command and query
// tables: every table row has a `code`.
#pragma once

#include <algorithm>
#include <cstdint>
#include <vector>

namespace tarvo::adapters {

// The codes of all the tables' rows, sorted.
template <typename... Tables>
constexpr std::vector<std::uint32_t> SortedCodes(const Tables&... tables) {
    std::vector<std::uint32_t> codes;
    (..., [&codes](const auto& table) {
        for (const auto& row : table) codes.push_back(static_cast<std::uint32_t>(row.code));
    }(tables));
    std::sort(codes.begin(), codes.end());
    return codes;
}

// No two rows of the tables share a code. Sorting, not comparing pairs: long
// tables would run past the compilers' limits on constant evaluation.
template <typename... Tables>
constexpr bool CodesAreDistinct(const Tables&... tables) {
    const std::vector<std::uint32_t> codes = SortedCodes(tables...);
    return std::adjacent_find(codes.begin(), codes.end()) == codes.end();
}

// No row of the tables has a code that excluded(code) names.
template <typename Excluded, typename... Tables>
constexpr bool NoCodeIn(Excluded excluded, const Tables&... tables) {
    const std::vector<std::uint32_t> codes = SortedCodes(tables...);
    return std::none_of(codes.begin(), codes.end(), excluded);
}

}  // namespace tarvo::adapters
