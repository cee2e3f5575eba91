// What the fuzz targets share: a server over the fake ports, set up as
// start-up leaves it, and a way to cut one input into several records.
#pragma once

#include "fakes/FakeServer.h"

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <span>
#include <vector>

namespace tarvo::fuzz {

inline constexpr WindowId kCrewWindow = 0x5150;
inline constexpr WindowId kLinkWindow = 0x7070;

// A fresh server per input, so that a finding replays from its input alone.
struct FuzzServer {
    explicit FuzzServer(platform::SimConnect* simulator = nullptr) : fake(simulator) {
        fake.clock.SetAutoAdvance(true);
        fake.files.MakeFolder(fakes::kFakeCrewFolder);
        host::HostState& host = fake.server.host;
        host.versionNumber = 2970;
        host.simulatorWindow =
            fake.desktop.AddWindow({"AceApp", "Microsoft Flight Simulator", true, 1, {0, 0, 800, 600}});
        host.crewWindow = kCrewWindow;
        host.linkWindow = kLinkWindow;
        fake.desktop.SetForeground(host.simulatorWindow);
        // Commands reaching the adapter are counted, not run: the targets are
        // about reading what comes in.
        fake.server.adapters.table.RunCommand = [](Server&, std::uint32_t, std::int32_t) {};
    }

    Server& server() { return fake.server; }

    fakes::FakeServer fake;
};

// Splits an input into records: each is a 16-bit little-endian length and
// that many bytes (fewer at the end of the input). Each record gets a buffer of
// exactly its own size, so a read past it is caught.
inline std::vector<std::vector<std::uint8_t>> Records(std::span<const std::uint8_t> input) {
    std::vector<std::vector<std::uint8_t>> records;
    std::size_t at = 0;
    while (at + 2 <= input.size()) {
        const std::size_t length = input[at] | static_cast<std::size_t>(input[at + 1]) << 8;
        at += 2;
        const std::size_t taken = std::min(length, input.size() - at);
        records.emplace_back(input.begin() + static_cast<std::ptrdiff_t>(at),
                             input.begin() + static_cast<std::ptrdiff_t>(at + taken));
        at += taken;
    }
    return records;
}

}  // namespace tarvo::fuzz
