#include "standin-sim/Control.h"

#include "profiles/Profiles.h"
#include "wire/Wire.h"

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <sstream>

namespace tarvo::standin {
namespace {

bool ParseNumber(const std::string& text, double& value) {
    char* end = nullptr;
    value = std::strtod(text.c_str(), &end);
    return !text.empty() && end != nullptr && *end == '\0';
}

bool ParseUnsigned(const std::string& text, std::uint32_t& value) {
    char* end = nullptr;
    const unsigned long long parsed = std::strtoull(text.c_str(), &end, 0);
    if (text.empty() || end == nullptr || *end != '\0' || parsed > 0xFFFFFFFFull) return false;
    value = static_cast<std::uint32_t>(parsed);
    return true;
}

// The menu as the simulator lays it out: the marker, then 64-byte entries
// every 536 bytes from 280 on. An empty entry ends the menu.
constexpr std::size_t kAtcFirstEntry = 280;
constexpr std::size_t kAtcStride = 536;
constexpr std::size_t kAtcEntryText = 63;
constexpr std::size_t kAtcEntries = 16;

std::string PlaceAtcMenu(MemoryImages& images, const std::vector<std::string>& entries) {
    if (entries.size() >= kAtcEntries) return "error at most " + std::to_string(kAtcEntries - 1) + " entries";
    static constexpr std::size_t kSize = kAtcFirstEntry + kAtcStride * kAtcEntries;
    if (images.Create("atc", kSize)) {
        const std::string marker = "PANEL_ATC";
        images.Write("atc", 0, std::vector<std::uint8_t>(marker.begin(), marker.end()));
    }
    for (std::size_t n = 0; n < kAtcEntries; ++n) {
        std::vector<std::uint8_t> entry(kAtcEntryText + 1, 0);
        if (n < entries.size()) std::copy_n(entries[n].begin(), std::min(entries[n].size(), kAtcEntryText), entry.begin());
        if (!images.Write("atc", kAtcFirstEntry + kAtcStride * n, entry)) return "error cannot write the ATC menu";
    }
    return "ok";
}

// Memory the menu search must go through: filled, so every page is really there.
std::string PlaceBallast(MemoryImages& images, std::uint32_t megabytes) {
    static int count = 0;
    const std::string name = "ballast" + std::to_string(count++);
    constexpr std::size_t kMegabyte = 1 << 20;
    if (!images.Create(name, megabytes * kMegabyte)) return "error cannot place " + std::to_string(megabytes) + " MiB";
    std::vector<std::uint8_t> pattern(kMegabyte);
    for (std::size_t i = 0; i < pattern.size(); ++i) pattern[i] = static_cast<std::uint8_t>("PANEL_ABC "[i % 10]);
    for (std::uint32_t m = 0; m < megabytes; ++m) images.Write(name, m * kMegabyte, pattern);
    return "ok";
}

}  // namespace

std::string WasmModuleHost::Run(const std::vector<std::string>& t) {
    const auto arity = [&](std::size_t count) { return t.size() == count + 1; };
    const std::string command = t.empty() ? std::string() : t[0];
    double number = 0;
    std::uint32_t count = 0;
    if (command == "install" && t.size() <= 2) {
        if (module_ != nullptr) return "error the module is installed already";
        module_ = std::make_unique<simworld::WasmModule>(world_, t.size() == 2 ? t[1] : "1.0.3");
        return "ok";
    }
    if (command == "lvar" && arity(2)) {
        if (!ParseNumber(t[2], number)) return "error not a number: " + t[2];
        next_.lvars.emplace_back(t[1], number);
        return "ok";
    }
    if (command == "lvars" && arity(2)) {
        if (!ParseUnsigned(t[1], count) || count > 20000) return "error not a count: " + t[1];
        for (std::uint32_t i = 0; i < count; ++i) next_.lvars.emplace_back(t[2] + std::to_string(i), 0.0);
        return "ok";
    }
    if (command == "hvar" && arity(1)) {
        next_.hvars.push_back(t[1]);
        return "ok";
    }
    if (command == "profile" && (arity(1) || arity(2))) {
        const auto profile = profiles::ProfileNamed(t[1]);
        if (!profile) return "error no profile named " + t[1];
        std::uint32_t first = static_cast<std::uint32_t>(profile->lvars.size());
        if (arity(2) && (!ParseUnsigned(t[2], first) || first > profile->lvars.size())) {
            return "error not a count of its lvars: " + t[2];
        }
        next_.lvars.insert(next_.lvars.end(), profile->lvars.begin(), profile->lvars.begin() + first);
        next_.hvars.insert(next_.hvars.end(), profile->hvars.begin(), profile->hvars.end());
        return "ok";
    }
    if (command == "filler" && arity(1)) {
        if (!ParseUnsigned(t[1], count) || count > 20000) return "error not a count: " + t[1];
        profiles::PadLvars(next_, count);
        return "ok";
    }
    if (module_ == nullptr) return "error no module installed (wasm install)";
    if (command == "load" && arity(0)) {
        module_->Load(next_);
        next_ = {};
        return "ok";
    }
    if (command == "silent" && arity(1) && (t[1] == "on" || t[1] == "off")) {
        module_->SetSilent(t[1] == "on");
        return "ok";
    }
    if (command == "set" && arity(2)) {
        if (!ParseNumber(t[2], number)) return "error not a number: " + t[2];
        module_->SetLvar(t[1], number);
        return "ok";
    }
    if (command == "get" && arity(1)) {
        std::ostringstream text;
        text.precision(17);
        text << module_->Lvar(t[1]);
        return "ok " + text.str();
    }
    if (command == "reloads" && arity(0)) return "ok " + std::to_string(module_->Reloads());
    if ((command == "writes" || command == "fired" || command == "code") && arity(0)) {
        using Kind = simworld::WasmModule::Receipt::Kind;
        const Kind wanted = command == "writes" ? Kind::Write : command == "fired" ? Kind::Fire : Kind::Code;
        std::ostringstream text;
        text.precision(17);
        text << "ok";
        for (const auto& receipt : module_->Receipts()) {
            if (receipt.kind != wanted) continue;
            text << ' ';
            if (wanted == Kind::Write) {
                text << receipt.text << '=' << receipt.value;
            } else if (wanted == Kind::Fire) {
                text << receipt.text;
            } else {
                text << '"' << receipt.text << '"';
            }
        }
        return text.str();
    }
    return "error unknown wasm command or wrong number of arguments";
}

std::string RunCommand(simworld::SimWorld& world, MemoryImages& images, WasmModuleHost& wasm, const std::string& line,
                       const std::function<void()>& requestQuit) {
    const std::vector<std::string> t = wire::TokenizeCommand(line);
    if (t.empty()) return "error empty command";
    const std::string& command = t[0];
    const auto arity = [&](std::size_t count) { return t.size() == count + 1; };
    double number = 0;
    std::uint32_t data = 0;

    if (command == "ping" && arity(0)) return "ok";
    if (command == "set" && arity(3)) {
        if (!ParseNumber(t[3], number)) return "error not a number: " + t[3];
        world.SetNumber(t[1], number, t[2]);
        return "ok";
    }
    if (command == "get" && arity(2)) {
        const auto value = world.Number(t[1], t[2]);
        if (!value) return "error unknown variable " + t[1];
        std::ostringstream text;
        text.precision(17);
        text << *value;
        return "ok " + text.str();
    }
    if (command == "string" && arity(2)) {
        world.SetString(t[1], t[2]);
        return "ok";
    }
    if (command == "getstring" && arity(1)) {
        const auto value = world.String(t[1]);
        return value ? "ok " + *value : "error unknown variable " + t[1];
    }
    if (command == "event" && arity(2)) {
        if (!ParseUnsigned(t[2], data)) return "error not a number: " + t[2];
        world.FireSystemEvent(t[1], data);
        return "ok";
    }
    if (command == "filename" && arity(2)) {
        world.FireFileNameEvent(t[1], t[2]);
        return "ok";
    }
    if (command == "aircraft" && arity(1)) {
        world.FireFileNameEvent("AircraftLoaded", t[1]);
        return "ok";
    }
    if (command == "frame" && arity(2)) {
        double speed = 0;
        if (!ParseNumber(t[1], number) || !ParseNumber(t[2], speed)) return "error not a number";
        world.FireFrame(static_cast<float>(number), static_cast<float>(speed));
        return "ok";
    }
    if (command == "key" && arity(2)) {
        if (!ParseUnsigned(t[2], data)) return "error not a number: " + t[2];
        world.TriggerKeyEvent(t[1], data);
        return "ok";
    }
    if (command == "image" && arity(2)) {
        if (!ParseUnsigned(t[2], data) || data == 0) return "error not a size: " + t[2];
        const auto address = images.Create(t[1], data);
        if (!address) return "error cannot place image " + t[1];
        return "ok " + std::to_string(*address);
    }
    if (command == "poke" && arity(3)) {
        const auto bytes = wire::ParseHex(t[3]);
        if (!ParseUnsigned(t[2], data) || !bytes) return "error poke NAME OFFSET HEX";
        return images.Write(t[1], data, *bytes) ? "ok" : "error does not fit in image " + t[1];
    }
    if (command == "atc") return PlaceAtcMenu(images, std::vector<std::string>(t.begin() + 1, t.end()));
    if (command == "ballast" && arity(1)) {
        if (!ParseUnsigned(t[1], data) || data == 0 || data > 4096) return "error not a size in MiB: " + t[1];
        return PlaceBallast(images, data);
    }
    if (command == "wasm") return wasm.Run(std::vector<std::string>(t.begin() + 1, t.end()));
    if (command == "quit" && arity(0)) {
        requestQuit();
        return "ok";
    }
    return "error unknown command or wrong number of arguments: " + line;
}

}  // namespace tarvo::standin
