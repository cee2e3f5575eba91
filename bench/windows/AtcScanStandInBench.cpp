// How long the server's ATC menu search takes against a real process: the
// simulator stand-in holding 256 MiB of the simulator's kind of memory before
// its menu, searched with VirtualQueryEx/ReadProcessMemory. For scale, the
// same memory read 16 bytes at every 8 bytes, over its first 256 KiB.
//
// Run on a Windows desktop (under Wine: tests/e2e/wine-env start STATE, then
// tests/e2e/wine-run STATE build/windows/bin/tarvo_atc_scan_standin_bench.exe).
#include "Harness.h"
#include "atc/AtcScan.h"
#include "win32/Win32ProcessMemory.h"

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

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

}  // namespace

int main() {
    using namespace tarvo;
    // Pipes of its own, so a bench never talks to a test's stand-ins.
    // (_putenv_s sets both the C runtime's copy, read here, and the one children inherit.)
    ::_putenv_s("TARVO_SIMCONTROL_PIPE", "\\\\.\\pipe\\Tarvo81_BenchSimControl");
    ::_putenv_s("TARVO_SIMCONNECT_PIPE", "\\\\.\\pipe\\Tarvo81_BenchSimConnect");
    e2e::ChildProcess simulator = e2e::StartSimulator(e2e::TraceFolder() + "\\bench-sim.jsonl");
    if (!simulator.IsValid()) {
        std::fprintf(stderr, "the simulator stand-in did not start\n");
        return 1;
    }
    constexpr int kMegabytes = 256;
    if (e2e::SimControl("ballast " + std::to_string(kMegabytes)) != std::optional<std::string>("ok") ||
        e2e::SimControl(R"(atc "1 - Request IFR Clearance")") != std::optional<std::string>("ok")) {
        std::fprintf(stderr, "the stand-in refused its memory\n");
        return 1;
    }

    win32::Win32ProcessMemory memory;
    const ProcessHandle process = memory.Open(simulator.Id(), platform::kProcessAllAccess);
    if (process == 0) {
        std::fprintf(stderr, "cannot open the stand-in's process\n");
        return 1;
    }

    std::uint64_t candidates = 0;
    platform::MemoryRegion largest{};
    std::uint64_t address = 0;
    while (const std::optional<platform::MemoryRegion> region = memory.QueryRegion(process, address)) {
        if (atc::IsAtcCandidate(*region)) {
            candidates += region->size;
            if (region->size > largest.size) largest = *region;
        }
        if (region->base + region->size <= address) break;
        address = region->base + region->size;
    }

    const LARGE_INTEGER started = Now();
    const std::uint64_t found = atc::FindAtcMenu(memory, process);
    const double search = Seconds(started, Now());
    // Where the menu lies depends on where the system placed it; every region
    // searched to the end is the worst case.
    const LARGE_INTEGER everyStarted = Now();
    address = 0;
    while (const std::optional<platform::MemoryRegion> region = memory.QueryRegion(process, address)) {
        if (atc::IsAtcCandidate(*region)) atc::FindAtcMarkerInRegion(memory, process, *region);
        if (region->base + region->size <= address) break;
        address = region->base + region->size;
    }
    const double every = Seconds(everyStarted, Now());

    const double mib = static_cast<double>(candidates) / (1 << 20);
    std::printf("memory of the menu's kind: %.0f MiB\n", mib);
    std::printf("menu %s after %.3f s\n", found != 0 ? "found" : "NOT FOUND", search);
    std::printf("every region searched to its end: %.3f s (%.0f MiB/s)\n", every, mib / every);
    std::fflush(stdout);

    constexpr std::uint64_t kStepSample = 256u << 10;
    const std::uint64_t sample = std::min(kStepSample, largest.size);
    const LARGE_INTEGER stepStarted = Now();
    for (std::uint64_t at = largest.base; at < largest.base + sample; at += 8) {
        std::array<std::uint8_t, 16> window{};
        memory.Read(process, at, window);
    }
    const double step = Seconds(stepStarted, Now());
    const double sampleMib = static_cast<double>(sample) / (1 << 20);
    std::printf("16 bytes every 8: %.3f s for %.2f MiB (%.2f MiB/s; about %.0f s for all of it)\n", step, sampleMib,
                sampleMib / step, step * mib / sampleMib);
    memory.Close(process);
    e2e::SimControl("quit");
    simulator.WaitForExit(5000);
    return found != 0 ? 0 : 1;
}
