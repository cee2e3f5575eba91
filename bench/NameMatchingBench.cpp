// Matching a module's lvar list against an adapter's wanted names: 20,000
// names against 650, by the index and, for scale, by comparing each name with
// every wanted name in turn.
#include "bridge/Discovery.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cctype>
#include <string>
#include <vector>

namespace {

using tarvo::bridge::NameListCopy;
using tarvo::bridge::VariableSlots;
using tarvo::bridge::WantedVariable;

struct Lists {
    std::vector<std::string> wantedNames;
    std::vector<WantedVariable> wanted;
    NameListCopy names;
};

// Names shaped like an airliner's: a long shared prefix, so comparisons go deep.
const Lists& MakeLists() {
    static const Lists lists = [] {
        Lists made;
        for (int i = 0; i < 650; ++i) made.wantedNames.push_back("S_OH_EXT_LT_SWITCH_" + std::to_string(i * 31));
        for (std::size_t i = 0; i < made.wantedNames.size(); ++i) {
            made.wanted.push_back({made.wantedNames[i], static_cast<std::uint16_t>(i % VariableSlots::kCount)});
        }
        for (std::int32_t id = 0; id < 20000; ++id) made.names[id] = "s_oh_ext_lt_switch_" + std::to_string(id);
        return made;
    }();
    return lists;
}

void MatchByIndex(benchmark::State& state) {
    const Lists& lists = MakeLists();
    for (auto _ : state) {
        VariableSlots slots;
        const tarvo::bridge::NameIndex index(lists.wanted);
        benchmark::DoNotOptimize(tarvo::bridge::MatchNames(lists.names, index, slots));
    }
}
BENCHMARK(MatchByIndex)->Unit(benchmark::kMillisecond);

bool EqualIgnoringCase(const std::string& a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
           });
}

void MatchOneByOne(benchmark::State& state) {
    const Lists& lists = MakeLists();
    for (auto _ : state) {
        VariableSlots slots;
        std::size_t found = 0;
        for (const auto& [id, name] : lists.names) {
            for (const WantedVariable& variable : lists.wanted) {
                if (!EqualIgnoringCase(name, variable.name)) continue;
                slots.Set(variable.slot, static_cast<std::uint16_t>(id));
                ++found;
                break;
            }
        }
        benchmark::DoNotOptimize(found);
    }
}
BENCHMARK(MatchOneByOne)->Unit(benchmark::kMillisecond);

}  // namespace
