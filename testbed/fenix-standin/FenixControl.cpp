#include "fenix-standin/FenixControl.h"

#include "simworld/FenixBlocks.h"
#include "wire/Wire.h"

#include <algorithm>
#include <cstdlib>
#include <limits>
#include <vector>

namespace tarvo::standin {
namespace {

bool ParseUnsigned(const std::string& text, std::uint64_t& value) {
    char* end = nullptr;
    value = std::strtoull(text.c_str(), &end, 0);
    return !text.empty() && text[0] != '-' && end != nullptr && *end == '\0';
}

bool ParseInt(const std::string& text, std::int32_t& value) {
    char* end = nullptr;
    const long long parsed = std::strtoll(text.c_str(), &end, 0);
    if (text.empty() || end == nullptr || *end != '\0' || parsed < std::numeric_limits<std::int32_t>::min() ||
        parsed > std::numeric_limits<std::int32_t>::max())
        return false;
    value = static_cast<std::int32_t>(parsed);
    return true;
}

bool ParseDouble(const std::string& text, double& value) {
    char* end = nullptr;
    value = std::strtod(text.c_str(), &end);
    return !text.empty() && end != nullptr && *end == '\0';
}

// Memory the searches must go through: a fixed pseudo-random fill, so that
// their candidate bytes turn up as often as in a real heap.
std::string PlaceBallast(FenixImages& images, std::uint64_t megabytes) {
    static int count = 0;
    const std::string name = "ballast" + std::to_string(count++);
    constexpr std::size_t kMegabyte = 1 << 20;
    if (!images.Create(name, static_cast<std::size_t>(megabytes) * kMegabyte, 0)) {
        return "error cannot place " + std::to_string(megabytes) + " MiB";
    }
    std::uint32_t state = 0x2545F491;
    for (std::uint8_t& byte : images.Bytes(name)) {
        state ^= state << 13;
        state ^= state >> 17;
        state ^= state << 5;
        byte = static_cast<std::uint8_t>(state >> 24);
    }
    return "ok";
}

}  // namespace

std::string RunFenixCommand(FenixImages& images, const std::string& line, const std::function<void()>& requestQuit) {
    const std::vector<std::string> t = wire::TokenizeCommand(line);
    if (t.empty()) return "error empty command";
    const std::string& command = t[0];
    const auto arity = [&](std::size_t count) { return t.size() == count + 1; };
    if (command == "ping" && arity(0)) return "ok";
    if (command == "quit" && arity(0)) {
        requestQuit();
        return "ok";
    }
    std::uint64_t number = 0;
    if (command == "image" && (arity(2) || arity(3))) {
        std::uint64_t address = 0;
        if (!ParseUnsigned(t[2], number) || number == 0 || number > (std::uint64_t{1} << 32)) {
            return "error not a size: " + t[2];
        }
        if (arity(3) && !ParseUnsigned(t[3], address)) return "error not an address: " + t[3];
        const auto placed = images.Create(t[1], static_cast<std::size_t>(number), address);
        return placed ? "ok " + std::to_string(*placed) : "error cannot place image " + t[1];
    }
    if (command == "ballast" && arity(1)) {
        if (!ParseUnsigned(t[1], number) || number == 0 || number > 4096) return "error not a size in MiB: " + t[1];
        return PlaceBallast(images, number);
    }
    // The rest write into an image at an offset.
    if (t.size() < 3) return "error unknown command or wrong number of arguments: " + line;
    const std::span<std::uint8_t> image = images.Bytes(t[1]);
    if (image.empty()) return "error no image " + t[1];
    if (!ParseUnsigned(t[2], number) || number > image.size()) return "error not an offset in " + t[1] + ": " + t[2];
    const auto offset = static_cast<std::size_t>(number);
    const auto done = [&](bool fits) { return fits ? std::string("ok") : "error does not fit in image " + t[1]; };
    if (command == "poke" && arity(3)) {
        const auto bytes = wire::ParseHex(t[3]);
        if (!bytes) return "error not hexadecimal: " + t[3];
        const bool fits = bytes->size() <= image.size() - offset;
        if (fits) std::copy(bytes->begin(), bytes->end(), image.begin() + static_cast<std::ptrdiff_t>(offset));
        return done(fits);
    }
    if (command == "fcu" && arity(6)) {
        simworld::FenixFcu fcu;
        if (!ParseDouble(t[3], fcu.speed) || !ParseInt(t[4], fcu.heading) || !ParseInt(t[5], fcu.altitude) ||
            !ParseInt(t[6], fcu.verticalSpeed)) {
            return "error fcu NAME OFFSET SPD HDG ALT VS";
        }
        return done(simworld::PutFenixFcu(image, offset, fcu));
    }
    if (command == "takeoff" && arity(8)) {
        simworld::FenixTakeoff takeoff;
        if (!ParseInt(t[3], takeoff.v1) || !ParseInt(t[4], takeoff.vr) || !ParseInt(t[5], takeoff.v2) ||
            !ParseInt(t[6], takeoff.transitionAltitude) || !ParseInt(t[7], takeoff.setting) ||
            !ParseDouble(t[8], takeoff.flexTemperature)) {
            return "error takeoff NAME OFFSET V1 VR V2 TA SETTING FLEX";
        }
        return done(simworld::PutFenixTakeoff(image, offset, takeoff));
    }
    if (command == "fma" && arity(3)) return done(simworld::PutFenixFma(image, offset, t[3]));
    return "error unknown command or wrong number of arguments: " + line;
}

}  // namespace tarvo::standin
