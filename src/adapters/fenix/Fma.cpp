#include "adapters/fenix/Fma.h"

#include "adapters/fenix/FenixSearches.h"
#include "link/Reports.h"

#include <algorithm>
#include <span>
#include <string_view>

namespace tarvo::adapters::fenix {
namespace {

// The block is read again until it reads live, 1 ms apart.
constexpr int kReadTries = 400;
constexpr std::uint32_t kRetryMilliseconds = 1;

constexpr std::size_t kAutothrustMode = link::kWordFlightModes;         // 38
constexpr std::size_t kArmedLateralMode = link::kWordFlightModes + 1;   // 39
constexpr std::size_t kLateralMode = link::kWordFlightModes + 2;        // 40
constexpr std::size_t kArmedVerticalMode = link::kWordFlightModes + 3;  // 41
constexpr std::size_t kVerticalMode = link::kWordFlightModes + 4;       // 42

constexpr std::string_view kMarker = "F-";
constexpr std::size_t kFields = 8;
constexpr std::size_t kFieldChars = 9;
constexpr std::size_t kVerticalFieldChars = 15;  // field 2
constexpr std::size_t kWholeTextFrom = 32;
constexpr std::size_t kLateTextFrom = 40;

// Where a text is looked for: in the field, or in the block's text from
// byte 40 on.
enum class Where : std::uint8_t { Field, LateText };

struct FmaCode {
    std::string_view text;
    std::int32_t code;
    std::size_t word;
    Where where = Where::Field;
};

// Each field's texts in the order they are tried; the first found sets its word.
// clang-format off
constexpr FmaCode kField1[] = {
    {"MAN",    6,  kAutothrustMode},  // refined below by the block's whole text
    {"SPEED",  7,  kAutothrustMode},
    {"MACH",   8,  kAutothrustMode},
    {"THR CL", 10, kAutothrustMode},
    {"THR ID", 12, kAutothrustMode},
};
// A manual thrust mode, named in the text from byte 32 on.
constexpr FmaCode kManualThrust[] = {
    {"FLX",  3, kAutothrustMode},
    {"TOGA", 2, kAutothrustMode},
    {"MCT",  5, kAutothrustMode},
};
constexpr FmaCode kField2[] = {
    {"SRS",   40, kVerticalMode},
    {"ALT*",  11, kVerticalMode},
    {"ALT",   10, kVerticalMode},
    {"OP CL", 12, kVerticalMode},
    {"OP DE", 13, kVerticalMode},
    {"V/S",   14, kVerticalMode},
    {"G/S*",  31, kVerticalMode},
    {"G/S",   30, kVerticalMode},
    {"LAND",  32, kVerticalMode},
    {"FLARE", 33, kVerticalMode},
    {"ROLL",  34, kVerticalMode},
};
constexpr FmaCode kField3[] = {
    {"NAV",    20, kLateralMode},
    {"HDG",    10, kLateralMode},
    {"RWY TR", 41, kLateralMode},
    {"GA TRK", 50, kLateralMode},
    {"TRK",    11, kLateralMode},
    {"RWY",    40, kLateralMode},
    {"LOC *",  31, kLateralMode},
    {"LOC",    30, kLateralMode},
    {"LAND",   32, kVerticalMode},
    {"FLARE",  33, kVerticalMode},
    {"ROLL",   34, kVerticalMode},
};
constexpr FmaCode kField6[] = {
    {"CLB T",  10, kAutothrustMode},
    {"THR L",  11, kAutothrustMode, Where::LateText},
    {"IDLE T", 12, kAutothrustMode},
    {"TOGA L", 14, kAutothrustMode},
    {"ALPHA",  13, kAutothrustMode, Where::LateText},
};
constexpr FmaCode kField7[] = {
    {"ALT CS", 2, kArmedVerticalMode},
    {"ALT",    1, kArmedVerticalMode},
    {"CLB",    4, kArmedVerticalMode},
    {"DES",    8, kArmedVerticalMode},
    {"G/S",    8, kArmedVerticalMode},
};
constexpr FmaCode kField8[] = {
    {"NAV", 1, kArmedLateralMode},
    {"LOC", 2, kArmedLateralMode},
};
// clang-format on

// By field number; fields 4 and 5 say nothing the crew app uses.
constexpr std::span<const FmaCode> kFieldCodes[kFields + 1] = {
    {}, kField1, kField2, kField3, {}, {}, kField6, kField7, kField8,
};

// The block's text as a string: up to its first terminator.
std::string_view TextFrom(const FmaBlock& block, std::size_t from) {
    const char* const text = reinterpret_cast<const char*>(block.data()) + from;
    const char* const end = reinterpret_cast<const char*>(block.data()) + kFmaBlockSize - 1;
    return {text, static_cast<std::size_t>(std::find(text, end, '\0') - text)};
}

bool Contains(std::string_view text, std::string_view part) {
    return text.find(part) != std::string_view::npos;
}

// Sets the word of the first code found.
void Apply(std::span<const FmaCode> codes, std::string_view field, std::string_view lateText,
           link::SnapshotRecord& record) {
    for (const FmaCode& code : codes) {
        if (!Contains(code.where == Where::Field ? field : lateText, code.text)) continue;
        record.words[code.word] = code.code;
        return;
    }
}

}  // namespace

void DecodeFmaBlock(const FmaBlock& block, link::SnapshotRecord& record) {
    const std::string_view text = TextFrom(block, 0);
    const std::string_view wholeText = TextFrom(block, kWholeTextFrom);
    const std::string_view lateText = TextFrom(block, kLateTextFrom);
    std::size_t marker = text.find(kMarker);
    for (std::size_t n = 1; n <= kFields && marker != std::string_view::npos; ++n) {
        const std::size_t start = marker + kMarker.size();
        marker = text.find(kMarker, start);
        const std::size_t end = marker == std::string_view::npos ? text.size() : marker;
        const std::string_view field =
            text.substr(start, std::min(end - start, n == 2 ? kVerticalFieldChars : kFieldChars));
        Apply(kFieldCodes[n], field, lateText, record);
        if (n == 1 && Contains(field, "MAN")) Apply(kManualThrust, wholeText, lateText, record);
    }
}

void DecodeFma(Server& server, link::SnapshotRecord& record) {
    FenixState& fenix = server.adapters.fenix;
    // The block is being looked for: nothing to read yet, nothing to start.
    if (IsFmaSearchRunning(server)) return;
    const ProcessHandle display = fenix.displayProcess;
    const std::uint64_t address = fenix.fmaAddress;
    if (display != 0 && address != 0) {
        FmaBlock block{};
        for (int tries = 0; tries < kReadTries; ++tries) {
            if (tries > 0) server.ports.clock.Sleep(kRetryMilliseconds);
            // A read cut short leaves the block partly from an earlier read: not valid.
            if (server.ports.memory.Read(display, address, block) == block.size() && IsValidFmaBlock(block)) {
                DecodeFmaBlock(block, record);
                return;
            }
        }
    }
    if (IsTakeoffSearchRunning(server)) return;
    fenix.fmaAddress = 0;
    server.log.Write("Looking for data 2");
    StartFmaSearch(server);
}

}  // namespace tarvo::adapters::fenix
