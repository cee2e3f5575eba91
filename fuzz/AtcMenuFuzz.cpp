// The simulator's memory as any bytes: the marker search over it, then the
// reader's walk of the entries, the crew app's read of the menu and a choice,
// at the place the search found or, failing that, at its start.
#include "FuzzServer.h"
#include "atc/AtcMenu.h"
#include "atc/AtcScan.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace tarvo;
    constexpr std::uint64_t kBase = 0x10000;
    constexpr ProcessHandle kSimulator = 0x7001;
    fuzz::FuzzServer fuzz;
    fuzz.server().host.simulatorProcess = kSimulator;
    // Regions are whole pages in the simulator: the bytes, then zeros.
    const std::size_t regionSize = std::max<std::size_t>((size + 0xFFF) / 0x1000, 1) * 0x1000;
    std::vector<std::uint8_t> bytes(data, data + size);
    bytes.resize(regionSize, 0);
    fuzz.fake.memory.regions = {
        {{0, kBase, 0, platform::kMemCommit, platform::kPageNoAccess, platform::kMemPrivate}, {}},
        {{kBase, regionSize, platform::kPageNoAccess, platform::kMemCommit, platform::kPageReadWrite,
          platform::kMemPrivate},
         std::move(bytes)},
    };
    atc::StartAtcReader(fuzz.server());
    fuzz.fake.threads.RunNextThread();
    if (fuzz.server().atc.address == 0) fuzz.server().atc.address = kBase;
    atc::ReadAtcMenu(fuzz.server(), false);
    atc::ChooseAtcEntry(fuzz.server(), 64708);
    atc::SendAtcText(fuzz.server(), false);
    return 0;
}
