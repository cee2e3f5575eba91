#include "wire/Wire.h"

#include <gtest/gtest.h>

#include <array>
#include <cstring>

namespace tarvo::wire {
namespace {

// Decodes a whole encoded frame (prefix and body).
std::variant<Frame, DecodeError> RoundTrip(const Frame& frame) {
    const std::vector<std::uint8_t> bytes = Encode(frame);
    std::array<std::uint8_t, 4> prefix;
    std::memcpy(prefix.data(), bytes.data(), 4);
    const auto length = DecodeLength(prefix);
    EXPECT_EQ(std::get<std::uint32_t>(length), bytes.size() - 4);
    return DecodeBody(std::span(bytes).subspan(4));
}

TEST(Wire, CallsResultsAndMessagesSurviveTheTrip) {
    const Call call{7, Function::AddToDataDefinition,
                    {std::uint32_t{3}, std::string("SIM ON GROUND"), NullString{}, 0.5f, std::uint64_t{1} << 40,
                     std::vector<std::uint8_t>{1, 2, 3}}};
    const auto decodedCall = std::get<Call>(std::get<Frame>(RoundTrip(call)));
    EXPECT_EQ(decodedCall.callId, 7u);
    EXPECT_EQ(decodedCall.function, Function::AddToDataDefinition);
    EXPECT_EQ(decodedCall.values, call.values);

    const Result result{7, static_cast<std::int32_t>(0x80004005u), {std::uint32_t{42}}};
    const auto decodedResult = std::get<Result>(std::get<Frame>(RoundTrip(result)));
    EXPECT_EQ(decodedResult.hresult, result.hresult);
    EXPECT_EQ(U32(decodedResult.values, 0), 42u);

    std::vector<std::uint8_t> record(16, 0);
    record[0] = 16;  // dwSize
    const auto decodedMessage = std::get<Message>(std::get<Frame>(RoundTrip(Message{record})));
    EXPECT_EQ(decodedMessage.record, record);
}

TEST(Wire, MalformedFramesAreRefusedWithAReason) {
    struct Case {
        const char* name;
        std::vector<std::uint8_t> body;
    };
    const Case cases[] = {
        {"empty", {}},
        {"unknown kind", {'X'}},
        {"truncated call", {'C', 1, 0}},
        {"unknown function", {'C', 1, 0, 0, 0, 99}},
        {"unknown tag", {'C', 1, 0, 0, 0, 1, 'z'}},
        {"truncated u32", {'C', 1, 0, 0, 0, 1, 'u', 1, 2}},
        {"string past end", {'C', 1, 0, 0, 0, 1, 's', 200, 0, 0, 0, 'a'}},
        {"bytes past end", {'R', 1, 0, 0, 0, 0, 0, 0, 0, 'b', 0xFF, 0xFF, 0xFF, 0x7F}},
        {"short record", {'M', 12, 0, 0}},
        {"record size lies", {'M', 200, 0, 0, 0, 1, 0, 0, 0, 3, 0, 0, 0}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const auto decoded = DecodeBody(c.body);
        ASSERT_TRUE(std::holds_alternative<DecodeError>(decoded));
        EXPECT_FALSE(std::get<DecodeError>(decoded).reason.empty());
    }
    EXPECT_TRUE(std::holds_alternative<DecodeError>(DecodeLength(std::array<std::uint8_t, 4>{0, 0, 0x20, 0})));
    EXPECT_TRUE(std::holds_alternative<DecodeError>(DecodeLength(std::array<std::uint8_t, 4>{0, 0, 0, 0})));
}

TEST(Wire, TypedAccessRefusesMissingAndMistypedValues) {
    const std::vector<Value> values = {std::uint32_t{1}, std::string("a"), NullString{}};
    EXPECT_EQ(U32(values, 0), 1u);
    EXPECT_FALSE(U32(values, 1).has_value());
    EXPECT_FALSE(U32(values, 9).has_value());
    EXPECT_EQ(*Text(values, 1).value(), "a");
    EXPECT_EQ(Text(values, 2).value(), nullptr);
    EXPECT_FALSE(Text(values, 0).has_value());
    EXPECT_EQ(Bytes(values, 0), nullptr);
}

TEST(Wire, RetrieveStringStaysInsideTheRecord) {
    // A record inside a larger buffer: "ab\0\0" "xyz\0" then an unterminated "q"
    // at the record's end.
    const std::uint8_t buffer[] = {'!', 'a', 'b', 0, 0, 'x', 'y', 'z', 0, 'q', 0};
    const std::uint8_t* record = buffer + 1;
    const std::uint32_t recordSize = 9;
    const char* text = nullptr;
    std::uint32_t size = 0;
    ASSERT_TRUE(RetrieveStringV(record, recordSize, record, &text, &size));
    EXPECT_STREQ(text, "ab");
    EXPECT_EQ(size, 4u);
    ASSERT_TRUE(RetrieveStringV(record, recordSize, record + size, &text, &size));
    EXPECT_STREQ(text, "xyz");
    EXPECT_EQ(size, 4u);
    EXPECT_FALSE(RetrieveStringV(record, recordSize, record + 8, &text, &size));  // no terminator
    EXPECT_FALSE(RetrieveStringV(record, recordSize, record + 9, &text, &size));  // past the end
    EXPECT_FALSE(RetrieveStringV(record, recordSize, buffer, &text, &size));      // before the start
}

}  // namespace
}  // namespace tarvo::wire

namespace tarvo::wire {
namespace {

TEST(Wire, HexParsingRefusesOddAndForeignCharacters) {
    EXPECT_EQ(ParseHex("00aBff"), (std::vector<std::uint8_t>{0x00, 0xAB, 0xFF}));
    EXPECT_EQ(ParseHex(""), std::vector<std::uint8_t>{});
    EXPECT_FALSE(ParseHex("abc").has_value());
    EXPECT_FALSE(ParseHex("zz").has_value());
}

TEST(Wire, CommandLinesSplitOnBlanksOutsideQuotes) {
    EXPECT_EQ(TokenizeCommand(R"(set "PLANE ALTITUDE" feet 5000)"),
              (std::vector<std::string>{"set", "PLANE ALTITUDE", "feet", "5000"}));
    EXPECT_EQ(TokenizeCommand("  event\tSim 1\r"), (std::vector<std::string>{"event", "Sim", "1"}));
    EXPECT_EQ(TokenizeCommand(R"(string TITLE "")"), (std::vector<std::string>{"string", "TITLE", ""}));
    EXPECT_TRUE(TokenizeCommand("   ").empty());
}

}  // namespace
}  // namespace tarvo::wire
