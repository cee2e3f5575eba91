// How long the Fenix A320's memory searches take against a real process: the
// Fenix stand-in holding 256 MiB of the Fenix's kind of memory, searched with
// VirtualQueryEx/ReadProcessMemory, first with nothing to find (every region
// searched to its end), then with the blocks laid out. For scale, the
// annunciations' rule read step by step (8 bytes at every byte) over 256 KiB.
//
// Run on a Windows desktop (under Wine: tests/e2e/wine-env start STATE, then
// tests/e2e/wine-run STATE build/windows/bin/tarvo_fenix_search_standin_bench.exe).
#include "Harness.h"
#include "LiteralSearches.h"
#include "adapters/fenix/MemorySearch.h"
#include "win32/Win32ProcessMemory.h"
#include "wire/PipeIo.h"

#include <cstdio>
#include <functional>
#include <string>

namespace {

constexpr const char* kPipe = "\\\\.\\pipe\\Tarvo81_BenchFenix";

double Seconds(LARGE_INTEGER from, LARGE_INTEGER to) {
    LARGE_INTEGER frequency;
    ::QueryPerformanceFrequency(&frequency);
    return static_cast<double>(to.QuadPart - from.QuadPart) / static_cast<double>(frequency.QuadPart);
}

LARGE_INTEGER Now() {
    LARGE_INTEGER now;
    ::QueryPerformanceCounter(&now);
    return now;
}

// The time one search takes, and what it found.
std::pair<double, std::uint64_t> Time(const std::function<std::uint64_t()>& search) {
    const LARGE_INTEGER started = Now();
    const std::uint64_t found = search();
    return {Seconds(started, Now()), found};
}

bool Lay(const std::string& command) {
    const auto reply = tarvo::wire::SendLine(kPipe, command);
    if (reply && reply->rfind("ok", 0) == 0) return true;
    std::fprintf(stderr, "%s: %s\n", command.c_str(), reply.value_or("no reply").c_str());
    return false;
}

}  // namespace

int main() {
    using namespace tarvo;
    namespace fenix = adapters::fenix;
    e2e::ChildProcess standIn = e2e::ChildProcess::Start(
        e2e::BinFolder() + "\\tarvo_fenix_standin.exe",
        std::string("--role system --title \"Fenix bench\" --class FenixBench --pipe ") + kPipe);
    for (int i = 0; standIn.IsValid() && i < 400 && !wire::SendLine(kPipe, "ping"); ++i) ::Sleep(25);
    constexpr int kMegabytes = 256;
    if (!Lay("ballast " + std::to_string(kMegabytes))) return 1;

    win32::Win32ProcessMemory memory;
    const ProcessHandle process = memory.Open(standIn.Id(), platform::kProcessAllAccess);
    if (process == 0) {
        std::fprintf(stderr, "cannot open the stand-in's process\n");
        return 1;
    }
    std::uint64_t searched = 0;
    platform::MemoryRegion largest{};
    for (std::uint64_t address = fenix::kSearchStart;;) {
        const auto region = memory.QueryRegion(process, address);
        if (!region || region->base >= fenix::kSearchLimit || region->base + region->size <= address) break;
        if (fenix::IsDataRegion(*region)) {
            searched += region->size;
            if (region->size > largest.size) largest = *region;
        }
        address = region->base + region->size;
    }
    const auto accept = [&](std::uint64_t marker) {
        return fenix::literal::ReadInt(memory, process, marker - 92) == 35000;
    };
    const auto fcu = [&] { return fenix::FindFcuMarker(memory, process, accept); };
    const auto takeoff = [&] { return fenix::FindTakeoffBlock(memory, process); };
    const auto fma = [&] { return fenix::FindFmaBlock(memory, process); };

    const double mib = static_cast<double>(searched) / (1 << 20);
    std::printf("memory of the Fenix's kind from 64 MiB to 1 GiB: %.0f MiB, the largest region %.0f MiB at 0x%llx\n",
                mib, static_cast<double>(largest.size) / (1 << 20), static_cast<unsigned long long>(largest.base));
    for (const auto& [name, search] : {std::pair{"FCU", std::function<std::uint64_t()>(fcu)},
                                       std::pair{"take-off data", std::function<std::uint64_t()>(takeoff)},
                                       std::pair{"annunciations", std::function<std::uint64_t()>(fma)}}) {
        const auto [seconds, found] = Time(search);
        std::printf("%s, nothing to find: %.3f s (%.0f MiB/s)%s\n", name, seconds, mib / seconds,
                    found != 0 ? " FOUND SOMETHING" : "");
    }
    std::fflush(stdout);

    if (!Lay("image data 65536") || !Lay("fcu data 4096 250 90 35000 0") ||
        !Lay("takeoff data 8192 140 145 150 5000 1 44") ||
        !Lay(R"(fma data 12288 "SPEED    F-ALT      F-NAV      F-1   2    F-")")) {
        return 1;
    }
    bool all = true;
    for (const auto& [name, search] : {std::pair{"FCU", std::function<std::uint64_t()>(fcu)},
                                       std::pair{"take-off data", std::function<std::uint64_t()>(takeoff)},
                                       std::pair{"annunciations", std::function<std::uint64_t()>(fma)}}) {
        const auto [seconds, found] = Time(search);
        std::printf("%s laid out: %s after %.3f s\n", name, found != 0 ? "found" : "NOT FOUND", seconds);
        all = all && found != 0;
    }

    // The annunciations' rule step by step, over the start of the largest region.
    constexpr std::uint64_t kSample = 256u << 10;
    const std::uint64_t sample = std::min(kSample, largest.size);
    const LARGE_INTEGER stepStarted = Now();
    for (std::uint64_t at = largest.base; at < largest.base + sample; ++at) {
        std::array<std::uint8_t, 8> head{};
        memory.Read(process, at, head);
    }
    const double step = Seconds(stepStarted, Now());
    const double sampleMib = static_cast<double>(sample) / (1 << 20);
    std::printf("8 bytes at every byte: %.3f s for %.2f MiB (about %.0f s for all of it)\n", step, sampleMib,
                step * mib / sampleMib);
    memory.Close(process);
    Lay("quit");
    standIn.WaitForExit(5000);
    return all ? 0 : 1;
}
