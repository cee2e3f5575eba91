// The add-on aircraft the stand-in WASM module can load, by name: each
// profile's lvar and hvar names are typed from the aircraft's documentation,
// apart from the server's own lists, so a name misspelt on either side fails a
// test instead of matching itself.
#pragma once

#include "simworld/WasmModule.h"

#include <optional>
#include <string_view>
#include <vector>

namespace tarvo::profiles {

// nullopt for a name no profile has.
std::optional<simworld::AircraftProfile> ProfileNamed(std::string_view name);
std::vector<std::string_view> ProfileNames();

// Pads the lvar list with names no aircraft uses ("FILLER_<n>") up to total.
void PadLvars(simworld::AircraftProfile& profile, std::size_t total);

// One function per aircraft, each in a file of its own.
simworld::AircraftProfile Fenix();
simworld::AircraftProfile A32nx();
simworld::AircraftProfile A320neo();
simworld::AircraftProfile Asobo747();
simworld::AircraftProfile Asobo787();
simworld::AircraftProfile Cj4();
simworld::AircraftProfile Gsx();
simworld::AircraftProfile Pmdg737();
simworld::AircraftProfile Pmdg777();
simworld::AircraftProfile Crj();
simworld::AircraftProfile Atr();
simworld::AircraftProfile A310();
simworld::AircraftProfile A300();
simworld::AircraftProfile Maddog();

}  // namespace tarvo::profiles
