// The Fenix A320's three memory searches over 512 MiB of its kind of memory,
// held here in our own memory behind the process-memory port, each block at
// the far end: the searches in large pieces, and for scale the same rules
// read step by step (one read of a few bytes per step).
#include "LiteralSearches.h"
#include "adapters/fenix/MemorySearch.h"
#include "simworld/FenixBlocks.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstring>
#include <vector>

namespace {

using tarvo::ProcessHandle;
using tarvo::platform::MemoryRegion;
namespace fenix = tarvo::adapters::fenix;

constexpr std::uint64_t kBase = 0x8000000;
constexpr std::size_t kSize = std::size_t{512} << 20;

// One region of kSize bytes at kBase, filled as a heap might be (every byte
// value turns up); every read is a copy, as a system call would make.
class ImageMemory : public tarvo::platform::ProcessMemory {
public:
    ImageMemory() : bytes_(kSize) {
        std::uint32_t state = 0x2545F491;
        for (std::uint8_t& byte : bytes_) {
            state ^= state << 13;
            state ^= state >> 17;
            state ^= state << 5;
            byte = static_cast<std::uint8_t>(state >> 24);
        }
        tarvo::simworld::PutFenixFcu(bytes_, kSize - 0x3000, {250.0, 90, 35000, 0});
        tarvo::simworld::PutFenixTakeoff(bytes_, kSize - 0x2000, {140, 145, 150, 5000, 1, 44.0});
        tarvo::simworld::PutFenixFma(bytes_, kSize - 0x1000, "SPEED    F-ALT      F-NAV      F-1   2    F-");
    }

    ProcessHandle Open(tarvo::ProcessId, std::uint32_t) override { return 1; }
    void Close(ProcessHandle) override {}
    bool EnableDebugPrivilege(ProcessHandle) override { return true; }
    bool Terminate(tarvo::ProcessId, std::uint32_t) override { return false; }
    std::optional<MemoryRegion> QueryRegion(ProcessHandle, std::uint64_t address) override {
        if (address >= kBase + kSize) return std::nullopt;
        if (address < kBase) return MemoryRegion{address, kBase - address, 0, 0x10000, 1, 0};
        return MemoryRegion{kBase,
                            kSize,
                            tarvo::platform::kPageReadWrite,
                            tarvo::platform::kMemCommit,
                            tarvo::platform::kPageReadWrite,
                            tarvo::platform::kMemPrivate};
    }
    std::optional<std::uint32_t> ProtectRegion(ProcessHandle, std::uint64_t, std::uint64_t, std::uint32_t) override {
        return std::nullopt;
    }
    std::size_t Read(ProcessHandle, std::uint64_t address, std::span<std::uint8_t> into) override {
        if (address < kBase || address >= kBase + kSize) return 0;
        const std::size_t count = std::min<std::size_t>(into.size(), kBase + kSize - address);
        std::memcpy(into.data(), bytes_.data() + (address - kBase), count);
        return count;
    }

private:
    std::vector<std::uint8_t> bytes_;
};

// Reached through the port, so that every step's read stays a call of its own.
tarvo::platform::ProcessMemory& Memory() {
    static ImageMemory memory;
    static tarvo::platform::ProcessMemory* port = &memory;
    benchmark::DoNotOptimize(port);
    return *port;
}

bool AcceptAltitude(std::uint64_t marker) {
    return fenix::literal::ReadInt(Memory(), 1, marker - 92) == 35000;
}

template <typename Search>
void Run(benchmark::State& state, Search search) {
    Memory();  // laid out before the clock runs
    for (auto _ : state) {
        const std::uint64_t found = search();
        if (found == 0) state.SkipWithError("block not found");
        benchmark::DoNotOptimize(found);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * kSize));
}

void FcuInPieces(benchmark::State& state) {
    Run(state, [] { return fenix::FindFcuMarker(Memory(), 1, AcceptAltitude); });
}
void TakeoffInPieces(benchmark::State& state) {
    Run(state, [] { return fenix::FindTakeoffBlock(Memory(), 1); });
}
void FmaInPieces(benchmark::State& state) {
    Run(state, [] { return fenix::FindFmaBlock(Memory(), 1); });
}
void FcuStepByStep(benchmark::State& state) {
    Run(state, [] { return fenix::literal::FindFcu(Memory(), 1); });
}
void TakeoffStepByStep(benchmark::State& state) {
    Run(state, [] { return fenix::literal::FindTakeoff(Memory(), 1); });
}
void FmaStepByStep(benchmark::State& state) {
    Run(state, [] { return fenix::literal::FindFma(Memory(), 1); });
}

BENCHMARK(FcuInPieces)->Unit(benchmark::kMillisecond);
BENCHMARK(TakeoffInPieces)->Unit(benchmark::kMillisecond);
BENCHMARK(FmaInPieces)->Unit(benchmark::kMillisecond);
BENCHMARK(FcuStepByStep)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(TakeoffStepByStep)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(FmaStepByStep)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace
