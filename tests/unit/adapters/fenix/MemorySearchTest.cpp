// The searches read memory in large pieces; what they find must be what
// reading each step's bytes by itself finds (LiteralSearches.h).
#include "adapters/fenix/MemorySearch.h"

#include "LiteralSearches.h"
#include "fakes/FakeProcessMemory.h"
#include "simworld/FenixBlocks.h"

#include <gtest/gtest.h>

#include <functional>
#include <random>
#include <span>
#include <string>
#include <vector>

namespace tarvo::adapters::fenix {
namespace {

using Region = fakes::FakeProcessMemory::Region;
using platform::MemoryRegion;

constexpr ProcessId kFenix = 5;
const ProcessHandle kProcess = fakes::FakeProcessMemory::HandleOf(kFenix);
constexpr std::uint64_t kMiB = 1 << 20;
constexpr std::uint64_t kBase = 0x5000000;

// Private, committed, read-write: where the Fenix keeps its data.
MemoryRegion DataKind(std::uint64_t base, std::uint64_t size) {
    return {
        base, size, platform::kPageReadWrite, platform::kMemCommit, platform::kPageReadWrite, platform::kMemPrivate};
}

// A region whose first readable bytes can be read (all of it by default).
Region Data(std::uint64_t base, std::uint64_t size, std::uint64_t readable = ~0ull) {
    return {DataKind(base, size), std::vector<std::uint8_t>(std::min(size, readable), 0x5A)};
}

// A live annunciation text: "1   2" lies past byte 32 of the block.
constexpr std::string_view kLiveFma = "SPEED    F-ALT      F-NAV      F-1   2    F-";

simworld::FenixFcu Fcu(std::int32_t altitude) {
    return {250.0, 90, altitude, 0};
}
constexpr simworld::FenixTakeoff kTakeoff{140, 145, 150, 5000, 1, 44.0};

void PutFcu(Region& region, std::uint64_t marker, std::int32_t altitude) {
    ASSERT_TRUE(simworld::PutFenixFcu(region.bytes, marker - region.info.base, Fcu(altitude)));
}
void PutTakeoff(Region& region, std::uint64_t at, const simworld::FenixTakeoff& takeoff = kTakeoff) {
    ASSERT_TRUE(simworld::PutFenixTakeoff(region.bytes, at - region.info.base, takeoff));
}
void PutFma(Region& region, std::uint64_t at, std::string_view text = kLiveFma) {
    ASSERT_TRUE(simworld::PutFenixFma(region.bytes, at - region.info.base, text));
}
// A block laid into a region as far as its bytes go: the rest lies beyond
// the region's end or in its unreadable pages.
void PutClipped(Region& region, std::uint64_t at,
                const std::function<bool(std::span<std::uint8_t>, std::size_t)>& put) {
    std::vector<std::uint8_t> whole(region.bytes);
    whole.resize(region.bytes.size() + 0x1000, 0x5A);
    ASSERT_TRUE(put(whole, at - region.info.base));
    std::copy_n(whole.begin(), region.bytes.size(), region.bytes.begin());
}

// Three regions of size bytes (readable ones as given), 64 KiB apart: one for
// each block, so that blocks at their ends do not overlap.
std::vector<Region> Three(std::uint64_t size, std::uint64_t readable) {
    return {Data(kBase, size, readable), Data(kBase + 0x10000, size, readable), Data(kBase + 0x20000, size, readable)};
}

struct Found {
    std::uint64_t fcu = 0;
    std::uint64_t takeoff = 0;
    std::uint64_t fma = 0;
    bool operator==(const Found&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Found& f) {
    return out << std::hex << "{fcu 0x" << f.fcu << ", take-off 0x" << f.takeoff << ", fma 0x" << f.fma << "}";
}

struct MemorySearchTest : ::testing::Test {
    std::vector<Region>& Regions() { return memory.RegionsOf(kFenix); }

    Found Fast() {
        const auto accept = [&](std::uint64_t marker) {
            const std::int32_t altitude = literal::ReadInt(memory, kProcess, marker - 92);
            return altitude >= 100 && altitude <= 49000;
        };
        return {FindFcuMarker(memory, kProcess, accept), FindTakeoffBlock(memory, kProcess),
                FindFmaBlock(memory, kProcess)};
    }
    Found StepByStep() {
        return {literal::FindFcu(memory, kProcess), literal::FindTakeoff(memory, kProcess),
                literal::FindFma(memory, kProcess)};
    }

    fakes::Journal journal;
    fakes::FakeProcessMemory memory{journal};
};

TEST_F(MemorySearchTest, CraftedImages) {
    struct Case {
        const char* what;
        std::function<void(std::vector<Region>&)> layOut;
        Found expected;
    };
    const std::uint64_t b = kBase;
    const Case cases[] = {
        {"an FCU marker at 4n+2 is passed over",
         [&](auto& r) {
             r = {Data(b, 0x2000)};
             PutFcu(r[0], b + 0x202, 35000);
             PutFcu(r[0], b + 0x1000, 35000);
         },
         {b + 0x1000, 0, 0}},
        {"altitudes out of 100..49,000 are decoys; the scan goes on",
         [&](auto& r) {
             r = {Data(b, 0x2000)};
             PutFcu(r[0], b + 0x200, 99);
             PutFcu(r[0], b + 0x400, 49001);
             PutFcu(r[0], b + 0x600, 50000);
             PutFcu(r[0], b + 0x800, 100);
         },
         {b + 0x800, 0, 0}},
        {"blocks across the ends of pieces",
         [&](auto& r) {
             r = {Data(b, 3 * kMiB + 0x1000)};
             PutFcu(r[0], b + kMiB - 16, 35000);
             PutTakeoff(r[0], b + 2 * kMiB - 40);
             PutFma(r[0], b + 3 * kMiB - 3);
         },
         {b + kMiB - 16, b + 2 * kMiB - 40, b + 3 * kMiB - 3}},
        {"blocks running past a region's end into the next region's readable page",
         [&](auto& r) {
             // Each region followed by one of another kind, not searched itself.
             r = Three(0x2000, 0x2000);
             for (std::size_t i = 0; i < 3; ++i) {
                 Region next = Data(r[2 * i].info.base + 0x2000, 0x1000);
                 next.info.type = 0x1000000;  // an image
                 r.insert(r.begin() + static_cast<std::ptrdiff_t>(2 * i + 1), next);
             }
             const auto place = [&](Region& region, Region& next, std::uint64_t at, auto put) {
                 std::vector<std::uint8_t> both(region.bytes);
                 both.insert(both.end(), next.bytes.begin(), next.bytes.end());
                 ASSERT_TRUE(put(std::span<std::uint8_t>(both), at - region.info.base));
                 std::copy_n(both.begin(), region.bytes.size(), region.bytes.begin());
                 std::copy(both.begin() + 0x2000, both.end(), next.bytes.begin());
             };
             place(r[0], r[1], kBase + 0x2000 - 16,
                   [](auto image, std::size_t at) { return simworld::PutFenixFcu(image, at, Fcu(35000)); });
             place(r[2], r[3], kBase + 0x12000 - 8,
                   [](auto image, std::size_t at) { return simworld::PutFenixTakeoff(image, at, kTakeoff); });
             place(r[4], r[5], kBase + 0x22000 - 7,
                   [](auto image, std::size_t at) { return simworld::PutFenixFma(image, at, kLiveFma); });
         },
         {kBase + 0x2000 - 16, kBase + 0x12000 - 8, kBase + 0x22000 - 7}},
        {"blocks running into a page that cannot be read are not there",
         [&](auto& r) {
             r = Three(0x3000, 0x2000);
             PutClipped(r[0], kBase + 0x2000 - 28,  // 4 of the marker's bytes lie beyond
                        [](auto image, std::size_t at) { return simworld::PutFenixFcu(image, at, Fcu(35000)); });
             PutClipped(r[1], kBase + 0x12000 - 72,  // its setting lies beyond
                        [](auto image, std::size_t at) { return simworld::PutFenixTakeoff(image, at, kTakeoff); });
             // The header fits in the last 7 bytes, but 8 are read.
             std::copy_n(
                 "fmaF\x1F"
                 "F-",
                 7, r[2].bytes.end() - 7);
             // A whole block whose "1   2" lies before byte 32: not live.
             PutFma(r[2], kBase + 0x20000 + 0x800, "MAN F-SRS F-1   2");
             // A live block cut short.
             PutClipped(r[2], kBase + 0x22000 - 119,
                        [](auto image, std::size_t at) { return simworld::PutFenixFma(image, at, kLiveFma); });
         },
         {0, 0, 0}},
        {"blocks wholly before an unreadable page are found",
         [&](auto& r) {
             r = Three(0x3000, 0x2000);
             PutFcu(r[0], kBase + 0x2000 - 32, 35000);
             PutClipped(r[1], kBase + 0x12000 - 76,  // only its further field, never read, lies beyond
                        [](auto image, std::size_t at) { return simworld::PutFenixTakeoff(image, at, kTakeoff); });
             PutFma(r[2], kBase + 0x22000 - 120);
         },
         {kBase + 0x2000 - 32, kBase + 0x12000 - 76, kBase + 0x22000 - 120}},
        {"a region starting below 1 GiB is searched to its end; none above",
         [&](auto& r) {
             r = {Data(0x3FFFF000, 0x2000), Data(0x40001000, 0x1000)};
             PutFcu(r[0], 0x40000800, 35000);
             PutTakeoff(r[1], 0x40001100);
             PutFma(r[1], 0x40001400);
         },
         {0x40000800, 0, 0}},
        {"a region reaching below 64 MiB is searched from 64 MiB on",
         [&](auto& r) {
             r = {Data(0x3FFF000, 0x2000)};
             PutFcu(r[0], 0x3FFF800, 35000);
             PutTakeoff(r[0], 0x4000100);
             PutFma(r[0], 0x3FFFE00);
         },
         {0, 0x4000100, 0}},
        {"other kinds of memory: reserved without access, guarded (searched only for the data)",
         [&](auto& r) {
             r = {Data(b, 0x1000), Data(b + 0x1000, 0x1000)};
             r[0].info.allocationProtect = platform::kPageNoAccess;
             r[1].info.protect |= platform::kPageGuard;
             for (Region& region : r) {
                 PutFcu(region, region.info.base + 0x200, 35000);
                 PutTakeoff(region, region.info.base + 0x400);
                 PutFma(region, region.info.base + 0x600);
             }
         },
         {0, b + 0x1400, b + 0x1600}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Regions().clear();
        c.layOut(Regions());
        EXPECT_EQ(Fast(), c.expected);
        EXPECT_EQ(StepByStep(), c.expected);
    }
}

// Memory full of near misses (each block wrong by one rule: an altitude out of
// range, a 4n+2 step, speeds out of order, a dead annunciation text) and a few
// blocks that hold, in regions of every kind with unreadable pages, some of
// them adjacent, one of them longer than a piece.
TEST_F(MemorySearchTest, RandomImagesAgreeWithStepByStepReading) {
    for (unsigned seed = 1; seed <= 12; ++seed) {
        SCOPED_TRACE("seed " + std::to_string(seed));
        std::mt19937 random(seed);
        const auto below = [&](std::uint64_t n) {
            return std::uniform_int_distribution<std::uint64_t>(0, n - 1)(random);
        };
        const auto pick = [&](std::initializer_list<std::int32_t> values) {
            return values.begin()[below(values.size())];
        };
        Regions().clear();
        std::uint64_t base = kBase + below(16) * 0x1000;
        for (unsigned n = 0; n < 4; ++n) {
            const std::uint64_t size = (seed % 4 == n ? 260 : 1 + below(40)) * 0x1000;
            Region region = Data(base, size, below(3) == 0 ? below(size / 0x1000 + 1) * 0x1000 : size);
            for (auto& byte : region.bytes) byte = static_cast<std::uint8_t>(below(256));
            if (below(5) == 0) region.info.protect |= platform::kPageGuard;
            if (below(6) == 0) region.info.allocationProtect = platform::kPageNoAccess;
            const std::size_t plants = region.bytes.size() / 0x400;
            for (std::size_t i = 0; i < plants && region.bytes.size() > 0x200; ++i) {
                const bool holds = below(150) == 0;
                const std::size_t step = holds || below(4) != 0 ? 4 : 2;  // else a 4n+2 step
                const std::size_t at = (0x80 + below(region.bytes.size() - 0x180)) & ~(step - 1);
                simworld::FenixTakeoff takeoff = kTakeoff;
                switch (holds ? 6 : below(6)) {
                    case 0:
                        takeoff.v1 = pick({89, 156});
                        break;
                    case 1:
                        takeoff.vr = takeoff.v1 + 31, takeoff.v2 = takeoff.vr;
                        break;
                    case 2:
                        takeoff.v2 = takeoff.vr + 31;
                        break;
                    case 3:
                        takeoff.vr = takeoff.v1, takeoff.v2 = takeoff.v1;
                        break;
                    case 4:
                        takeoff.transitionAltitude = pick({18010, 5005, -10});
                        break;
                    case 5:
                        takeoff.setting = pick({0, 3});
                        break;
                    default:
                        break;
                }
                const std::int32_t altitude = holds ? pick({100, 35000, 49000}) : pick({99, 49001, 50000});
                const std::string_view fma = holds               ? kLiveFma
                                             : pick({0, 1}) == 0 ? "MAN F-SRS F-1   2"
                                                                 : "F-1   3    F-";
                switch (below(3)) {
                    case 0:
                        simworld::PutFenixFcu(region.bytes, at, Fcu(altitude));
                        break;
                    case 1:
                        simworld::PutFenixTakeoff(region.bytes, at, takeoff);
                        break;
                    default:
                        simworld::PutFenixFma(region.bytes, at + below(4), fma);
                        break;
                }
            }
            Regions().push_back(std::move(region));
            base += size + (below(2) == 0 ? 0 : 0x1000);
        }
        EXPECT_EQ(Fast(), StepByStep());
    }
}

}  // namespace
}  // namespace tarvo::adapters::fenix
