// The wire between our SimConnect.dll and the simulator stand-in: length-prefixed
// frames over a byte pipe, one pipe per SimConnect session.
//
//   frame   = u32 body length, body            (little-endian, body ≤ kMaxFrameBody)
//   body    = u8 kind, ...
//   Call    'C' u32 callId, u8 function, values   client → stand-in
//   Result  'R' u32 callId, i32 hresult, values   stand-in → client, answers one Call
//   Message 'M' record bytes                      stand-in → client, a SIMCONNECT_RECV record
//   value   = u8 tag, payload: 'u' u32 | 'f' f32 | 'q' u64 | 's' u32 length + bytes
//             (length 0xFFFFFFFF: a null string) | 'b' u32 length + bytes
//
// Decoding never reads past the bytes it is given; a malformed frame is
// refused with a reason.
#pragma once

#include "platform/SimConnectAbi.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace tarvo::wire {

inline constexpr std::uint32_t kMaxFrameBody = 1u << 20;

// TARVO_WIRE_ONLY_##where(tokens) keeps the tokens for a Remote function of the
// SimConnect list only: those calls travel, our SimConnect.dll answers the Local
// ones itself.
#define TARVO_WIRE_ONLY_Remote(...) __VA_ARGS__
#define TARVO_WIRE_ONLY_Local(...)

namespace detail {
// Numbers from 1, in list order.
#define TARVO_WIRE_NUMBER(name, where, params, args) TARVO_WIRE_ONLY_##where(name##Number, )
enum FunctionNumber : std::uint8_t { kNoFunction, TARVO_SIMCONNECT_EXPORTS(TARVO_WIRE_NUMBER) kFunctionEnd };
#undef TARVO_WIRE_NUMBER
}  // namespace detail

// Functions, by the number they travel as.
enum class Function : std::uint8_t {
#define TARVO_WIRE_FUNCTION(name, where, params, args) TARVO_WIRE_ONLY_##where(name = detail::name##Number, )
    TARVO_SIMCONNECT_EXPORTS(TARVO_WIRE_FUNCTION)
#undef TARVO_WIRE_FUNCTION
};
// The numbers are the protocol: a new function goes at the end of the list.
static_assert(static_cast<int>(Function::Open) == 1 && static_cast<int>(Function::GetLastSentPacketID) == 21);

std::string_view FunctionName(Function function);

struct NullString {
    bool operator==(const NullString&) const = default;
};
using Value = std::variant<std::uint32_t, float, std::uint64_t, std::string, NullString, std::vector<std::uint8_t>>;

struct Call {
    std::uint32_t callId = 0;
    Function function = Function::Open;
    std::vector<Value> values;
};

struct Result {
    std::uint32_t callId = 0;
    std::int32_t hresult = 0;
    std::vector<Value> values;
};

struct Message {
    std::vector<std::uint8_t> record;
};

using Frame = std::variant<Call, Result, Message>;

// The whole frame, length prefix included.
std::vector<std::uint8_t> Encode(const Frame& frame);

struct DecodeError {
    std::string reason;
};
// Decodes one frame body (without its length prefix).
std::variant<Frame, DecodeError> DecodeBody(std::span<const std::uint8_t> body);

// Reads the length prefix; an error when it announces more than kMaxFrameBody.
std::variant<std::uint32_t, DecodeError> DecodeLength(std::span<const std::uint8_t, 4> prefix);

// Typed access to a decoded value list; nullopt when the value is missing or of
// another type.
std::optional<std::uint32_t> U32(const std::vector<Value>& values, std::size_t index);
std::optional<float> F32(const std::vector<Value>& values, std::size_t index);
std::optional<std::uint64_t> U64(const std::vector<Value>& values, std::size_t index);
// A string, or nullptr for a null string; nullopt when missing.
std::optional<const std::string*> Text(const std::vector<Value>& values, std::size_t index);
const std::vector<std::uint8_t>* Bytes(const std::vector<Value>& values, std::size_t index);

// Splits a control-channel command line into tokens; double quotes group blanks.
std::vector<std::string> TokenizeCommand(const std::string& line);

// Bytes from hexadecimal text (either case); nullopt for an odd length or a
// character that is not a hexadecimal digit.
std::optional<std::vector<std::uint8_t>> ParseHex(const std::string& text);

// SimConnect_RetrieveString over a received record: the string at stringV,
// which must lie inside the record and end inside it. *size covers the string,
// its terminator and the zero padding to the next 4-byte boundary (not past the
// record). Returns false when the string is not wholly inside the record.
bool RetrieveStringV(const std::uint8_t* record, std::uint32_t recordSize, const void* stringV, const char** text,
                     std::uint32_t* size);

}  // namespace tarvo::wire
