// Finding the ATC menu marker at the far end of 256 MiB of the simulator's
// kind of memory, held here in our own memory behind the process-memory port:
// the search in large pieces, and for scale 16-byte reads at every 8 bytes.
#include "atc/AtcScan.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstring>
#include <vector>

namespace {

using tarvo::ProcessHandle;
using tarvo::platform::MemoryRegion;

constexpr std::uint64_t kBase = 0x10000000;
constexpr std::size_t kSize = std::size_t{256} << 20;

// One region of kSize bytes at kBase; every read is a copy, as a system call would make.
class ImageMemory final : public tarvo::platform::ProcessMemory {
public:
    ImageMemory() : bytes_(kSize, 'x') {
        const std::size_t marker = kSize - 0x1000;
        std::memcpy(bytes_.data() + marker, "PANEL_ATC", 9);
        std::memcpy(bytes_.data() + marker + 280, "1 - Request IFR Clearance", 25);
    }

    MemoryRegion region() const {
        return {kBase, kSize, tarvo::platform::kPageNoAccess, tarvo::platform::kMemCommit,
                tarvo::platform::kPageReadWrite, tarvo::platform::kMemPrivate};
    }

    ProcessHandle Open(tarvo::ProcessId, std::uint32_t) override { return 1; }
    void Close(ProcessHandle) override {}
    bool EnableDebugPrivilege(ProcessHandle) override { return true; }
    bool Terminate(tarvo::ProcessId, std::uint32_t) override { return false; }
    std::optional<MemoryRegion> QueryRegion(ProcessHandle, std::uint64_t address) override {
        if (address >= kBase + kSize) return std::nullopt;
        if (address < kBase) return MemoryRegion{0, kBase, 0, 0x10000, 0, 0};
        return region();
    }
    std::optional<std::uint32_t> ProtectRegion(ProcessHandle, std::uint64_t, std::uint64_t, std::uint32_t) override {
        return tarvo::platform::kPageReadWrite;
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

ImageMemory& Memory() {
    static ImageMemory memory;
    return memory;
}

void ScanInPieces(benchmark::State& state) {
    for (auto _ : state) benchmark::DoNotOptimize(tarvo::atc::FindAtcMenu(Memory(), 1));
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * kSize));
}
BENCHMARK(ScanInPieces)->Unit(benchmark::kMillisecond);

void ScanSixteenBytesAtATime(benchmark::State& state) {
    for (auto _ : state) {
        std::uint64_t found = 0;
        for (std::uint64_t at = kBase; at < kBase + kSize && found == 0; at += 8) {
            std::array<std::uint8_t, 16> window{};
            if (Memory().Read(1, at, window) != window.size()) continue;
            const std::string_view text(reinterpret_cast<const char*>(window.data()), window.size());
            if (text.find("PANEL_ATC") != std::string_view::npos) found = at;
        }
        benchmark::DoNotOptimize(found);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * kSize));
}
BENCHMARK(ScanSixteenBytesAtATime)->Unit(benchmark::kMillisecond);

}  // namespace
