// A client connection on an in-process world, and readers for the records it gets.
#pragma once

#include "simworld/InProcessSimConnect.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <vector>

namespace tarvo::simworld::testing {

using Record = std::vector<std::uint8_t>;

template <typename T>
T As(const Record& record) {
    T value{};
    std::memcpy(&value, record.data(), std::min(sizeof(T), record.size()));
    return value;
}

template <typename T>
T At(const Record& record, std::size_t offset) {
    T value{};
    if (offset + sizeof(T) <= record.size()) std::memcpy(&value, record.data() + offset, sizeof(T));
    return value;
}

inline std::uint32_t KindOf(const Record& record) {
    return As<SIMCONNECT_RECV>(record).dwID;
}

inline Record Payload(const Record& record) {
    return Record(record.begin() + static_cast<std::ptrdiff_t>(kSimConnectDataOffset), record.end());
}

// One open connection; the OPEN record is consumed on construction.
class Session {
public:
    Session(InProcessSimConnect& api, const char* name, EventId event = 0) : api(api) {
        EXPECT_EQ(api.Open(&handle, name, 0, 0, event, SIMCONNECT_OPEN_CONFIGINDEX_LOCAL), SIMCONNECT_S_OK);
        Drain();
    }

    // Every waiting record, copied, in order.
    std::vector<Record> Drain() {
        std::vector<Record> records;
        SIMCONNECT_RECV* data = nullptr;
        std::uint32_t size = 0;
        while (api.GetNextDispatch(handle, &data, &size) == SIMCONNECT_S_OK) {
            EXPECT_EQ(size, data->dwSize);
            const auto* bytes = reinterpret_cast<const std::uint8_t*>(data);
            records.emplace_back(bytes, bytes + size);
        }
        return records;
    }

    // The only waiting record; fails the test otherwise.
    Record One() {
        auto records = Drain();
        EXPECT_EQ(records.size(), 1u);
        return records.empty() ? Record(sizeof(SIMCONNECT_RECV), 0) : records.front();
    }

    std::uint32_t LastSendId() {
        std::uint32_t id = 0;
        EXPECT_EQ(api.GetLastSentPacketID(handle, &id), SIMCONNECT_S_OK);
        return id;
    }

    InProcessSimConnect& api;
    SIMCONNECT_HANDLE handle = nullptr;
};

}  // namespace tarvo::simworld::testing
