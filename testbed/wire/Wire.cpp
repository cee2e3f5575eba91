#include "wire/Wire.h"

#include <cstring>

namespace tarvo::wire {
namespace {

constexpr std::uint32_t kNullLength = 0xFFFFFFFFu;

class Writer {
public:
    void U8(std::uint8_t v) { bytes_.push_back(v); }
    void U32(std::uint32_t v) {
        for (int i = 0; i < 4; ++i) bytes_.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
    }
    void U64(std::uint64_t v) {
        U32(static_cast<std::uint32_t>(v));
        U32(static_cast<std::uint32_t>(v >> 32));
    }
    void Raw(const void* data, std::size_t size) {
        const auto* p = static_cast<const std::uint8_t*>(data);
        bytes_.insert(bytes_.end(), p, p + size);
    }
    void Value(const wire::Value& value) {
        struct Visit {
            Writer& w;
            void operator()(std::uint32_t v) { w.U8('u'), w.U32(v); }
            void operator()(float v) {
                std::uint32_t bits;
                std::memcpy(&bits, &v, 4);
                w.U8('f'), w.U32(bits);
            }
            void operator()(std::uint64_t v) { w.U8('q'), w.U64(v); }
            void operator()(const std::string& v) {
                w.U8('s'), w.U32(static_cast<std::uint32_t>(v.size())), w.Raw(v.data(), v.size());
            }
            void operator()(NullString) { w.U8('s'), w.U32(kNullLength); }
            void operator()(const std::vector<std::uint8_t>& v) {
                w.U8('b'), w.U32(static_cast<std::uint32_t>(v.size())), w.Raw(v.data(), v.size());
            }
        };
        std::visit(Visit{*this}, value);
    }
    std::vector<std::uint8_t> Take() { return std::move(bytes_); }

private:
    std::vector<std::uint8_t> bytes_;
};

class Reader {
public:
    explicit Reader(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}
    bool AtEnd() const { return at_ == bytes_.size(); }
    std::size_t Left() const { return bytes_.size() - at_; }
    bool U8(std::uint8_t& v) {
        if (Left() < 1) return false;
        v = bytes_[at_++];
        return true;
    }
    bool U32(std::uint32_t& v) {
        if (Left() < 4) return false;
        v = 0;
        for (int i = 0; i < 4; ++i) v |= static_cast<std::uint32_t>(bytes_[at_ + i]) << (8 * i);
        at_ += 4;
        return true;
    }
    bool U64(std::uint64_t& v) {
        std::uint32_t low, high;
        if (!U32(low) || !U32(high)) return false;
        v = (static_cast<std::uint64_t>(high) << 32) | low;
        return true;
    }
    bool Take(std::size_t size, std::span<const std::uint8_t>& out) {
        if (Left() < size) return false;
        out = bytes_.subspan(at_, size);
        at_ += size;
        return true;
    }
    std::span<const std::uint8_t> Rest() { return bytes_.subspan(at_); }

private:
    std::span<const std::uint8_t> bytes_;
    std::size_t at_ = 0;
};

std::optional<std::string> ReadValues(Reader& reader, std::vector<Value>& values) {
    while (!reader.AtEnd()) {
        std::uint8_t tag = 0;
        reader.U8(tag);
        std::uint32_t word = 0;
        std::uint64_t quad = 0;
        std::span<const std::uint8_t> data;
        switch (tag) {
            case 'u':
                if (!reader.U32(word)) return "truncated u32 value";
                values.emplace_back(word);
                break;
            case 'f': {
                if (!reader.U32(word)) return "truncated f32 value";
                float f;
                std::memcpy(&f, &word, 4);
                values.emplace_back(f);
                break;
            }
            case 'q':
                if (!reader.U64(quad)) return "truncated u64 value";
                values.emplace_back(quad);
                break;
            case 's':
                if (!reader.U32(word)) return "truncated string length";
                if (word == kNullLength) {
                    values.emplace_back(NullString{});
                    break;
                }
                if (!reader.Take(word, data)) return "string runs past the frame";
                values.emplace_back(std::string(data.begin(), data.end()));
                break;
            case 'b':
                if (!reader.U32(word)) return "truncated byte-block length";
                if (!reader.Take(word, data)) return "byte block runs past the frame";
                values.emplace_back(std::vector<std::uint8_t>(data.begin(), data.end()));
                break;
            default:
                return "unknown value tag " + std::to_string(tag);
        }
    }
    return std::nullopt;
}

}  // namespace

std::string_view FunctionName(Function function) {
    switch (function) {
#define TARVO_WIRE_NAME(name, where, params, args) TARVO_WIRE_ONLY_##where(case Function::name: return #name;)
        TARVO_SIMCONNECT_EXPORTS(TARVO_WIRE_NAME)
#undef TARVO_WIRE_NAME
    }
    return "unknown";
}

std::vector<std::uint8_t> Encode(const Frame& frame) {
    Writer body;
    if (const auto* call = std::get_if<Call>(&frame)) {
        body.U8('C');
        body.U32(call->callId);
        body.U8(static_cast<std::uint8_t>(call->function));
        for (const Value& value : call->values) body.Value(value);
    } else if (const auto* result = std::get_if<Result>(&frame)) {
        body.U8('R');
        body.U32(result->callId);
        body.U32(static_cast<std::uint32_t>(result->hresult));
        for (const Value& value : result->values) body.Value(value);
    } else {
        const auto& message = std::get<Message>(frame);
        body.U8('M');
        body.Raw(message.record.data(), message.record.size());
    }
    const std::vector<std::uint8_t> bytes = body.Take();
    Writer whole;
    whole.U32(static_cast<std::uint32_t>(bytes.size()));
    whole.Raw(bytes.data(), bytes.size());
    return whole.Take();
}

std::variant<std::uint32_t, DecodeError> DecodeLength(std::span<const std::uint8_t, 4> prefix) {
    Reader reader(prefix);
    std::uint32_t length = 0;
    reader.U32(length);
    if (length == 0) return DecodeError{"empty frame"};
    if (length > kMaxFrameBody) return DecodeError{"frame of " + std::to_string(length) + " bytes is too large"};
    return length;
}

std::variant<Frame, DecodeError> DecodeBody(std::span<const std::uint8_t> body) {
    Reader reader(body);
    std::uint8_t kind = 0;
    if (!reader.U8(kind)) return DecodeError{"empty frame"};
    switch (kind) {
        case 'C': {
            Call call;
            std::uint8_t function = 0;
            if (!reader.U32(call.callId) || !reader.U8(function)) return DecodeError{"truncated call header"};
            if (function == detail::kNoFunction || function >= detail::kFunctionEnd) {
                return DecodeError{"unknown function " + std::to_string(function)};
            }
            call.function = static_cast<Function>(function);
            if (auto error = ReadValues(reader, call.values)) return DecodeError{*error};
            return call;
        }
        case 'R': {
            Result result;
            std::uint32_t hresult = 0;
            if (!reader.U32(result.callId) || !reader.U32(hresult)) return DecodeError{"truncated result header"};
            result.hresult = static_cast<std::int32_t>(hresult);
            if (auto error = ReadValues(reader, result.values)) return DecodeError{*error};
            return result;
        }
        case 'M': {
            const auto record = reader.Rest();
            std::uint32_t declared = 0;
            if (record.size() < 12) return DecodeError{"message shorter than a record header"};
            std::memcpy(&declared, record.data(), 4);
            if (declared != record.size()) {
                return DecodeError{"message declares " + std::to_string(declared) + " bytes but carries " +
                                   std::to_string(record.size())};
            }
            return Message{{record.begin(), record.end()}};
        }
        default:
            return DecodeError{"unknown frame kind " + std::to_string(kind)};
    }
}

std::optional<std::uint32_t> U32(const std::vector<Value>& values, std::size_t index) {
    if (index >= values.size()) return std::nullopt;
    if (const auto* v = std::get_if<std::uint32_t>(&values[index])) return *v;
    return std::nullopt;
}

std::optional<float> F32(const std::vector<Value>& values, std::size_t index) {
    if (index >= values.size()) return std::nullopt;
    if (const auto* v = std::get_if<float>(&values[index])) return *v;
    return std::nullopt;
}

std::optional<std::uint64_t> U64(const std::vector<Value>& values, std::size_t index) {
    if (index >= values.size()) return std::nullopt;
    if (const auto* v = std::get_if<std::uint64_t>(&values[index])) return *v;
    return std::nullopt;
}

std::optional<const std::string*> Text(const std::vector<Value>& values, std::size_t index) {
    if (index >= values.size()) return std::nullopt;
    if (const auto* v = std::get_if<std::string>(&values[index])) return v;
    if (std::holds_alternative<NullString>(values[index])) return static_cast<const std::string*>(nullptr);
    return std::nullopt;
}

const std::vector<std::uint8_t>* Bytes(const std::vector<Value>& values, std::size_t index) {
    if (index >= values.size()) return nullptr;
    return std::get_if<std::vector<std::uint8_t>>(&values[index]);
}

std::vector<std::string> TokenizeCommand(const std::string& line) {
    std::vector<std::string> tokens;
    std::string current;
    bool quoted = false;
    bool inToken = false;
    for (char c : line) {
        if (c == '"') {
            quoted = !quoted;
            inToken = true;
        } else if ((c == ' ' || c == '\t' || c == '\r') && !quoted) {
            if (inToken) tokens.push_back(std::move(current));
            current.clear();
            inToken = false;
        } else {
            current.push_back(c);
            inToken = true;
        }
    }
    if (inToken) tokens.push_back(std::move(current));
    return tokens;
}

std::optional<std::vector<std::uint8_t>> ParseHex(const std::string& text) {
    if (text.size() % 2 != 0) return std::nullopt;
    const auto digit = [](char c) -> int {
        if (c >= '0' && c <= '9') return c - '0';
        if (c >= 'a' && c <= 'f') return c - 'a' + 10;
        if (c >= 'A' && c <= 'F') return c - 'A' + 10;
        return -1;
    };
    std::vector<std::uint8_t> bytes;
    for (std::size_t i = 0; i < text.size(); i += 2) {
        const int high = digit(text[i]);
        const int low = digit(text[i + 1]);
        if (high < 0 || low < 0) return std::nullopt;
        bytes.push_back(static_cast<std::uint8_t>(high * 16 + low));
    }
    return bytes;
}

bool RetrieveStringV(const std::uint8_t* record, std::uint32_t recordSize, const void* stringV, const char** text,
                     std::uint32_t* size) {
    if (record == nullptr || stringV == nullptr) return false;
    const auto* start = static_cast<const std::uint8_t*>(stringV);
    if (start < record || start >= record + recordSize) return false;
    const std::size_t room = static_cast<std::size_t>(record + recordSize - start);
    const void* terminator = std::memchr(start, 0, room);
    if (terminator == nullptr) return false;
    std::size_t used = static_cast<std::size_t>(static_cast<const std::uint8_t*>(terminator) - start) + 1;
    while (used % 4 != 0 && used < room) ++used;
    if (text != nullptr) *text = reinterpret_cast<const char*>(start);
    if (size != nullptr) *size = static_cast<std::uint32_t>(used);
    return true;
}

}  // namespace tarvo::wire
