// Matching the module's list of lvar names at its largest (70 areas, about
// 10,000 names) against each aircraft's wanted names: by the index, as
// discovery does in each pass (the index built too), and for scale by
// comparing each name with every wanted name in turn. The wanted names are
// the aircraft's own (the stand-in's profiles); the rest of the list is other
// names shaped like them, so comparisons go deep. Aircraft known by their
// events alone are left out.
#include "bridge/Discovery.h"
#include "profiles/Profiles.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cctype>
#include <functional>
#include <string>
#include <vector>

namespace {

using tarvo::bridge::NameListCopy;
using tarvo::bridge::VariableSlots;
using tarvo::bridge::WantedVariable;

constexpr std::size_t kNamesPerArea = 143;
constexpr std::size_t kAreas = 70;
constexpr std::size_t kModuleNames = kAreas * kNamesPerArea;  // 10,010

struct Lists {
    std::vector<std::string> wantedNames;
    std::vector<WantedVariable> wanted;
    NameListCopy names;
};

Lists MakeLists(std::string_view aircraft) {
    Lists made;
    const auto profile = tarvo::profiles::ProfileNamed(aircraft);
    for (const auto& [name, value] : profile->lvars) made.wantedNames.push_back(name);
    if (made.wantedNames.empty()) return made;
    for (std::size_t i = 0; i < made.wantedNames.size(); ++i) {
        made.wanted.push_back({made.wantedNames[i], static_cast<std::uint16_t>(i % VariableSlots::kCount)});
    }
    // The module lists the aircraft's names among others that share their beginnings.
    std::vector<std::string> listed;
    for (std::size_t i = 0; listed.size() + made.wantedNames.size() < kModuleNames; ++i) {
        const std::string& like = made.wantedNames[i % made.wantedNames.size()];
        listed.push_back(like + "_" + std::to_string(i));
    }
    listed.insert(listed.end(), made.wantedNames.begin(), made.wantedNames.end());
    // Spread the wanted names through the list, the same way each run.
    for (std::size_t i = listed.size() - 1; i > 0; --i) std::swap(listed[i], listed[(i * 7919) % (i + 1)]);
    for (std::size_t id = 0; id < listed.size(); ++id) made.names[static_cast<std::int32_t>(id)] = listed[id];
    return made;
}

void MatchByIndex(benchmark::State& state, const Lists& lists) {
    std::size_t found = 0;
    VariableSlots slots;  // the server's, kept from pass to pass
    for (auto _ : state) {
        const tarvo::bridge::NameIndex index(lists.wanted);
        found = tarvo::bridge::MatchNames(lists.names, index, slots);
        benchmark::DoNotOptimize(found);
    }
    state.counters["found"] = static_cast<double>(found);
}

// A C library's ignore-case comparison: character by character until they differ.
bool EqualIgnoringCase(const std::string& a, std::string_view b) {
    std::size_t i = 0;
    for (; i < a.size() && i < b.size(); ++i) {
        if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i]))) {
            return false;
        }
    }
    return i == a.size() && i == b.size();
}

void MatchOneByOne(benchmark::State& state, const Lists& lists) {
    std::size_t found = 0;
    VariableSlots slots;
    for (auto _ : state) {
        found = 0;
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
    state.counters["found"] = static_cast<double>(found);
}

}  // namespace

int main(int argc, char** argv) {
    static std::vector<Lists> lists;
    const std::vector<std::string_view> aircraft = tarvo::profiles::ProfileNames();
    lists.reserve(aircraft.size());
    for (std::string_view name : aircraft) lists.push_back(MakeLists(name));
    for (std::size_t i = 0; i < aircraft.size(); ++i) {
        if (lists[i].wanted.empty()) continue;  // an add-on known by its events alone
        const std::string suffix = "/" + std::string(aircraft[i]) + "/" + std::to_string(lists[i].wanted.size());
        benchmark::RegisterBenchmark(("MatchByIndex" + suffix).c_str(), MatchByIndex, std::cref(lists[i]))
            ->Unit(benchmark::kMicrosecond);
        benchmark::RegisterBenchmark(("MatchOneByOne" + suffix).c_str(), MatchOneByOne, std::cref(lists[i]))
            ->Unit(benchmark::kMicrosecond);
    }
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
