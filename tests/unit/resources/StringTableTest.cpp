#include "resources/StringTable.h"

#include <gtest/gtest.h>

namespace tarvo::resources {
namespace {

TEST(ProgramStrings, CoverBothRangesWithoutGaps) {
    std::uint32_t overlay = 0;
    std::uint32_t atc = 0;
    for (const StringRow& row : ProgramStrings()) {
        if (row.id >= 1000 && row.id <= 1074) ++overlay;
        if (row.id >= 64704 && row.id <= 64914) ++atc;
        EXPECT_FALSE(row.text.empty()) << row.id;
    }
    EXPECT_EQ(overlay, 75u);
    EXPECT_EQ(atc, 211u);
}

TEST(ProgramStrings, KeepTextsExactlyIncludingBlanksAndInserts) {
    // {id, text}: trailing blanks, a lone blank, message-format inserts, the first and last ids.
    const StringRow cases[] = {
        {1000, "Menu operation not permitted in critical phase!"},
        {1032, "[ZUL] Voice command ignored, due to critical phase "},
        {1042, "[ZUL] Ready to go!"},
        {64704, "Choose an option for %1!s! %2!s! on %3!03x!.%4!03x!:"},
        {64716, "Acknowledge Handoff "},
        {64773, " "},
        {64914, "Request Taxi to Fueling"},
    };
    for (const StringRow& expected : cases) {
        SCOPED_TRACE(expected.id);
        const auto text = ProgramString(expected.id);
        ASSERT_TRUE(text.has_value());
        EXPECT_EQ(*text, expected.text);
    }
}

TEST(ProgramStrings, UnknownIdsHaveNoText) {
    for (std::uint32_t id : {0u, 999u, 1075u, 64703u, 64915u}) {
        EXPECT_FALSE(ProgramString(id).has_value()) << id;
    }
}

}  // namespace
}  // namespace tarvo::resources
