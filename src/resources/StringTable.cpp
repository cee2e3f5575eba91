#include "resources/StringTable.h"

#include <algorithm>

namespace tarvo::resources {
namespace {

constexpr StringRow kStrings[] = {
#define TARVO_STRING(id, text) {id, text},
#include "resources/Strings.def"
#undef TARVO_STRING
};

constexpr bool IsSortedById() {
    for (std::size_t i = 1; i < std::size(kStrings); ++i) {
        if (kStrings[i - 1].id >= kStrings[i].id) return false;
    }
    return true;
}
static_assert(IsSortedById(), "ProgramString searches the rows by id");
static_assert(std::size(kStrings) == 75 + 211, "1000-1074 and 64704-64914, no gaps");

}  // namespace

std::span<const StringRow> ProgramStrings() { return kStrings; }

std::optional<std::string_view> ProgramString(std::uint32_t id) {
    const auto row = std::lower_bound(std::begin(kStrings), std::end(kStrings), id,
                                      [](const StringRow& r, std::uint32_t key) { return r.id < key; });
    if (row == std::end(kStrings) || row->id != id) return std::nullopt;
    return row->text;
}

}  // namespace tarvo::resources
