// Finding the ATC menu marker at the far end of 256 MiB of the simulator's
// kind of memory, held here in our own memory behind the process-memory port:
// the search in large pieces; for scale a plain copy of the same bytes (the
// most any search that reads them can do) and 16-byte reads at every 8 bytes.
// The bytes are random with many underscores and near misses ("PANEL_AT",
// "PANEL_ATX", a marker with no menu after it), as a heap full of names is.
#include "atc/AtcScan.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <string_view>
#include <vector>

namespace {

using tarvo::ProcessHandle;
using tarvo::platform::MemoryRegion;

constexpr std::uint64_t kBase = 0x10000000;
constexpr std::size_t kSize = std::size_t{256} << 20;
constexpr std::size_t kMarkerAt = kSize - 0x1000;
constexpr std::size_t kPiece = std::size_t{1} << 20;

// One region of kSize bytes at kBase; every read is a copy, as a system call would make.
class ImageMemory final : public tarvo::platform::ProcessMemory {
public:
    ImageMemory() : bytes_(kSize) {
        std::uint64_t state = 0x9E3779B97F4A7C15;
        const auto next = [&state] {
            state ^= state << 13;
            state ^= state >> 7;
            state ^= state << 17;
            return state;
        };
        for (std::size_t at = 0; at < kSize; at += 8) {
            std::uint64_t word = next();
            std::memcpy(bytes_.data() + at, &word, 8);
        }
        // About one byte in 32 an underscore.
        for (std::size_t n = 0; n < kSize / 32; ++n) bytes_[next() % kSize] = '_';
        // A near miss every 2 KiB, and now and then a whole marker with no menu after it.
        // (Bounded on both sides, so random neighbours cannot complete one.)
        constexpr std::array<std::string_view, 5> kNearMisses = {"PANEL_AT ", "PANEL_ATX", "panel_atm", " ANEL_ATC",
                                                                 "PANEL_ATC"};
        for (std::size_t at = 0, n = 0; at + 0x4000 < kMarkerAt; at += 2048, ++n) {
            const bool whole = n % 1024 == 0;
            const std::size_t place = at + next() % 1024;
            const std::string_view miss = kNearMisses[whole ? 4 : n % 4];
            std::memcpy(bytes_.data() + place, miss.data(), miss.size());
            if (whole) bytes_[(place & ~std::size_t{7}) + 280 + 2] = 'x';  // not the hyphen of an entry
        }
        std::memcpy(bytes_.data() + kMarkerAt, "PANEL_ATC", 9);
        std::memcpy(bytes_.data() + kMarkerAt + 280, "1 - Request IFR Clearance", 25);
    }

    const std::uint8_t* data() const { return bytes_.data(); }

    MemoryRegion region() const {
        return {kBase,
                kSize,
                tarvo::platform::kPageNoAccess,
                tarvo::platform::kMemCommit,
                tarvo::platform::kPageReadWrite,
                tarvo::platform::kMemPrivate};
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
    for (auto _ : state) {
        const std::uint64_t found = tarvo::atc::FindAtcMenu(Memory(), 1);
        if (found != ((kBase + kMarkerAt) & ~std::uint64_t{7})) state.SkipWithError("the menu was not found");
        benchmark::DoNotOptimize(found);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * kSize));
}
BENCHMARK(ScanInPieces)->Unit(benchmark::kMillisecond);

// The same bytes copied piece by piece into one buffer, as the search reads them.
void CopyInPieces(benchmark::State& state) {
    std::vector<std::uint8_t> piece(kPiece);
    const std::uint8_t* const image = Memory().data();
    for (auto _ : state) {
        for (std::size_t at = 0; at < kSize; at += kPiece) {
            std::memcpy(piece.data(), image + at, kPiece);
            benchmark::ClobberMemory();
        }
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * kSize));
}
BENCHMARK(CopyInPieces)->Unit(benchmark::kMillisecond);

void ScanSixteenBytesAtATime(benchmark::State& state) {
    for (auto _ : state) {
        std::uint64_t found = 0;
        for (std::uint64_t at = kBase; at < kBase + kSize && found == 0; at += 8) {
            std::array<std::uint8_t, 16> window{};
            if (Memory().Read(1, at, window) != window.size()) continue;
            const std::string_view text(reinterpret_cast<const char*>(window.data()), window.size());
            if (text.find("PANEL_ATC") == std::string_view::npos) continue;
            std::array<std::uint8_t, 3> entry{};  // a marker with no menu after it is a near miss
            if (Memory().Read(1, at + 280, entry) == entry.size() && entry[2] == '-') found = at;
        }
        if (found != ((kBase + kMarkerAt) & ~std::uint64_t{7})) state.SkipWithError("the menu was not found");
        benchmark::DoNotOptimize(found);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * kSize));
}
BENCHMARK(ScanSixteenBytesAtATime)->Unit(benchmark::kMillisecond);

}  // namespace
