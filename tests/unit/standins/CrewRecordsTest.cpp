#include "standin-crew/CrewRecords.h"

#include <gtest/gtest.h>

#include <cstring>

namespace tarvo::crew {
namespace {

TEST(CrewRecords, CopyDataIsDecodedByKind) {
    const std::int32_t words[] = {1, -2, 70000};
    const auto* wordBytes = reinterpret_cast<const std::uint8_t*>(words);
    const char text[] = "1 - Request \"IFR\"\n";
    const std::uint8_t raw[] = {0x00, 0xAB, 0x7F};
    struct Case {
        std::uint64_t kind;
        const std::uint8_t* bytes;
        std::uint32_t size;
        std::string expected;
    };
    const Case cases[] = {
        {611, wordBytes, 12, R"({"dir":"recv","msg":74,"from":5,"kind":611,"size":12,"words":[1,-2,70000]})"},
        {615, wordBytes, 6, R"({"dir":"recv","msg":74,"from":5,"kind":615,"size":6,"words":[1]})"},  // ragged tail
        {612, reinterpret_cast<const std::uint8_t*>(text), 18,
         R"({"dir":"recv","msg":74,"from":5,"kind":612,"size":18,"text":"1 - Request \"IFR\"\u000a"})"},
        {999, raw, 3, R"({"dir":"recv","msg":74,"from":5,"kind":999,"size":3,"hex":"00ab7f"})"},
        {611, nullptr, 8, R"({"dir":"recv","msg":74,"from":5,"kind":611,"size":8,"words":[]})"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.expected);
        EXPECT_EQ(DescribeCopyData(5, c.kind, c.bytes, c.size), c.expected);
    }
    EXPECT_EQ(DescribeMessage(39175, 243, 8192), R"({"dir":"recv","msg":39175,"wParam":243,"lParam":8192})");
}

}  // namespace
}  // namespace tarvo::crew
