#include "profiles/Profiles.h"

#include <string>

namespace tarvo::profiles {
namespace {

struct Entry {
    std::string_view name;
    simworld::AircraftProfile (*make)();
};

constexpr Entry kProfiles[] = {
    {"fenix", Fenix},       {"a32nx", A32nx},     {"a320neo", A320neo}, {"asobo747", Asobo747}, {"asobo787", Asobo787},
    {"cj4", Cj4},           {"gsx", Gsx},         {"pmdg737", Pmdg737}, {"pmdg777", Pmdg777},   {"crj", Crj},
    {"atr", Atr},           {"a310", A310},       {"a300", A300},       {"maddog", Maddog},
};

}  // namespace

std::optional<simworld::AircraftProfile> ProfileNamed(std::string_view name) {
    for (const Entry& entry : kProfiles) {
        if (entry.name == name) return entry.make();
    }
    return std::nullopt;
}

std::vector<std::string_view> ProfileNames() {
    std::vector<std::string_view> names;
    for (const Entry& entry : kProfiles) names.push_back(entry.name);
    return names;
}

void PadLvars(simworld::AircraftProfile& profile, std::size_t total) {
    for (std::size_t n = 0; profile.lvars.size() < total; ++n) {
        profile.lvars.emplace_back("FILLER_" + std::to_string(n), 0.0);
    }
}

}  // namespace tarvo::profiles
