#include "../CommandsFixture.h"

#include <gtest/gtest.h>

#include <thread>

namespace tarvo::adapters {
namespace {

using Lines = std::vector<std::string>;

struct FenixSequencesTest : CommandsFixture {
    // The keys pressed, in order ("7"), from the writes of 1.0.
    Lines KeysPressed() const {
        Lines keys;
        for (const auto& r : module.Receipts()) {
            if (r.text.rfind("S_PED_ATC_", 0) == 0 && r.value == 1.0) keys.push_back(r.text.substr(10));
        }
        return keys;
    }
};

TEST_F(FenixSequencesTest, FirstOfficerOxygenMaskTest) {
    ConnectWith({{Slot::FirstOfficerOxygenMaskCover, "S_OXYGEN_MASK_COVER_FO"},
                 {Slot::FirstOfficerOxygenMaskTestButton, "S_OXYGEN_MASK_2_TEST_FO"}});
    Fenix();
    Run(68413, 1);
    std::thread([&] { fake.threads.RunNextThread(); }).join();  // a fresh thread: its time starts at 0
    EXPECT_EQ(Received(), (Lines{"0 S_OXYGEN_MASK_COVER_FO=1", "1000 S_OXYGEN_MASK_2_TEST_FO=1",
                                 "2000 S_OXYGEN_MASK_2_TEST_FO=0", "3000 S_OXYGEN_MASK_2_TEST_FO=1",
                                 "4000 S_OXYGEN_MASK_2_TEST_FO=0", "5500 S_OXYGEN_MASK_COVER_FO=0"}));
}

// The keypad has the octal digits only: 8 and 9 press nothing.
TEST_F(FenixSequencesTest, TransponderCodesAreTypedDigitByDigit) {
    std::vector<std::pair<Slot, std::string>> keys = {
        {Slot::TransponderKeyClear, "S_PED_ATC_CLR"},
        {Slot::TransponderOperationSelector, "S_XPDR_OPERATION"},
        {Slot::TransponderAltitudeReportingSwitch, "S_XPDR_ALTREPORTING"}};
    const Slot digits[] = {Slot::TransponderKey0, Slot::TransponderKey1, Slot::TransponderKey2, Slot::TransponderKey7};
    for (Slot digit : digits) keys.emplace_back(digit, std::string(SlotLabel(digit)));
    ConnectWith(keys);
    Fenix();
    const std::pair<std::uint32_t, Lines> cases[] = {
        {7000, {"CLR", "CLR", "CLR", "CLR", "7", "0", "0", "0"}},
        {1280, {"CLR", "CLR", "CLR", "CLR", "1", "2", "0"}},
    };
    for (const auto& [code, pressed] : cases) {
        SCOPED_TRACE(code);
        const Lines before = KeysPressed();
        Run(68918, code);
        RunWorkers();
        const Lines all = KeysPressed();
        EXPECT_EQ(Lines(all.begin() + static_cast<std::ptrdiff_t>(before.size()), all.end()), pressed);
    }
}

}  // namespace
}  // namespace tarvo::adapters
