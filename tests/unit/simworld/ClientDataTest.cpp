#include "SimWorldTesting.h"
#include "simworld/InProcessSimConnect.h"
#include "simworld/SdkAircraft.h"
#include "simworld/SimWorld.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace tarvo::simworld {
namespace {

using testing::As;
using testing::KindOf;
using testing::Payload;
using testing::Record;
using testing::Session;

using Bytes = std::vector<std::uint8_t>;

class ClientDataTest : public ::testing::Test {
protected:
    SimWorld world;
    InProcessSimConnect api{world};
};

TEST_F(ClientDataTest, OnSetChangedDeliversAnotherConnectionsWrites) {
    Session reader(api, "reader");
    Session writer(api, "writer");
    std::vector<Bytes> written;
    world.OnClientAreaWritten(
        "SHARED.area", [&](std::span<const std::uint8_t> bytes) { written.emplace_back(bytes.begin(), bytes.end()); });

    api.MapClientDataNameToID(reader.handle, "Shared.Area", 1);
    api.CreateClientData(reader.handle, 1, 16, SIMCONNECT_CREATE_CLIENT_DATA_FLAG_DEFAULT);
    api.AddToClientDataDefinition(reader.handle, 1, SIMCONNECT_CLIENTDATAOFFSET_AUTO, 16, 0, 0);
    api.RequestClientData(reader.handle, 1, 9, 1, SIMCONNECT_CLIENT_DATA_PERIOD_ON_SET,
                          SIMCONNECT_CLIENT_DATA_REQUEST_FLAG_CHANGED, 0, 0, 0);
    EXPECT_TRUE(reader.Drain().empty());  // nothing written yet

    // The writer attaches to the area under its own id and writes its second half.
    api.MapClientDataNameToID(writer.handle, "shared.area", 7);
    api.CreateClientData(writer.handle, 7, 16, SIMCONNECT_CREATE_CLIENT_DATA_FLAG_READ_ONLY);
    api.AddToClientDataDefinition(writer.handle, 2, 8, SIMCONNECT_CLIENTDATATYPE_FLOAT64, 0, 0);
    EXPECT_TRUE(writer.Drain().empty());
    double value = 42.5;
    api.SetClientData(writer.handle, 7, 2, 0, 0, sizeof(value), &value);

    const Record record = reader.One();
    const auto header = As<SIMCONNECT_RECV_CLIENT_DATA>(record);
    EXPECT_EQ(header.dwID, SIMCONNECT_RECV_ID_CLIENT_DATA);
    EXPECT_EQ(header.dwRequestID, 9u);
    EXPECT_EQ(header.dwDefineID, 1u);
    EXPECT_EQ(header.dwObjectID, 1u);
    EXPECT_EQ(header.dwDefineCount, 1u);
    Bytes expected(16, 0);
    std::memcpy(expected.data() + 8, &value, sizeof(value));
    EXPECT_EQ(Payload(record), expected);
    EXPECT_EQ(world.ReadClientArea("SHARED.AREA"), expected);

    // Same bytes again: the handler hears the write, the changed-only reader does not.
    api.SetClientData(writer.handle, 7, 2, 0, 0, sizeof(value), &value);
    EXPECT_TRUE(reader.Drain().empty());
    EXPECT_EQ(written, (std::vector<Bytes>{expected, expected}));

    // A write from inside the simulator reaches on-set readers too.
    const std::uint8_t first = 0x5A;
    world.WriteClientArea("shared.area", 0, std::span(&first, 1));
    EXPECT_EQ(Payload(reader.One())[0], 0x5A);

    // A new on-set request gets the current contents at once.
    api.RequestClientData(writer.handle, 7, 4, 2, SIMCONNECT_CLIENT_DATA_PERIOD_ON_SET,
                          SIMCONNECT_CLIENT_DATA_REQUEST_FLAG_CHANGED, 0, 0, 0);
    const Record current = writer.One();
    EXPECT_EQ(As<SIMCONNECT_RECV_CLIENT_DATA>(current).dwObjectID, 7u);
    EXPECT_EQ(As<double>(Payload(current)), 42.5);
}

TEST_F(ClientDataTest, AreaCreatedLaterReachesWaitingOnSetRequests) {
    Session reader(api, "FSUIPC-WASM-IF");
    api.MapClientDataNameToID(reader.handle, "FSUIPC_config", 1);
    api.AddToClientDataDefinition(reader.handle, 1, SIMCONNECT_CLIENTDATAOFFSET_AUTO, 8, 0, 0);
    api.RequestClientData(reader.handle, 1, 9, 1, SIMCONNECT_CLIENT_DATA_PERIOD_ONCE, 0, 0, 0, 0);
    EXPECT_EQ(As<SIMCONNECT_RECV_EXCEPTION>(reader.One()).dwException, SIMCONNECT_EXCEPTION_UNRECOGNIZED_ID);
    api.RequestClientData(reader.handle, 1, 9, 1, SIMCONNECT_CLIENT_DATA_PERIOD_ON_SET,
                          SIMCONNECT_CLIENT_DATA_REQUEST_FLAG_CHANGED, 0, 0, 0);
    EXPECT_TRUE(reader.Drain().empty());

    world.CreateClientArea("FSUIPC_config", 8, true);
    const std::uint8_t version[] = {'1', '.', '0', '.', '3', 0, 0, 0};
    world.WriteClientArea("FSUIPC_config", 0, version);
    const Record record = reader.One();
    EXPECT_EQ(Payload(record), Bytes(std::begin(version), std::end(version)));
}

TEST_F(ClientDataTest, RefusedWritesLeaveTheAreaAlone) {
    Session client(api, "client");
    world.CreateClientArea("Config", 16, true);
    world.CreateClientArea("Open", 16, false);
    api.MapClientDataNameToID(client.handle, "Config", 1);
    api.MapClientDataNameToID(client.handle, "Open", 2);
    api.AddToClientDataDefinition(client.handle, 1, 0, 16, 0, 0);  // the whole area
    api.AddToClientDataDefinition(client.handle, 2, 12, 8, 0, 0);  // runs 4 bytes past the area
    ASSERT_TRUE(client.Drain().empty());

    struct Row {
        const char* what;
        std::uint32_t area;
        std::uint32_t define;
        std::uint32_t unitSize;  // also the size of the buffer handed over
        std::uint32_t exception;
        std::uint32_t index;
    };
    const Row rows[] = {
        {"read-only area", 1, 1, 16, 25 /* ILLEGAL_OPERATION */, 2},
        {"short buffer", 2, 1, 15, SIMCONNECT_EXCEPTION_SIZE_MISMATCH, 6},
        {"oversized buffer", 2, 1, 17, SIMCONNECT_EXCEPTION_SIZE_MISMATCH, 6},
        {"definition past the area", 2, 2, 8, SIMCONNECT_EXCEPTION_OUT_OF_BOUNDS, 3},
        {"unmapped area", 3, 1, 16, SIMCONNECT_EXCEPTION_UNRECOGNIZED_ID, 2},
        {"unknown definition", 2, 5, 16, SIMCONNECT_EXCEPTION_UNRECOGNIZED_ID, 3},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        Bytes buffer(row.unitSize, 0xEE);  // exactly as long as declared: a read past it is a fault
        EXPECT_EQ(api.SetClientData(client.handle, row.area, row.define, 0, 0, row.unitSize, buffer.data()),
                  SIMCONNECT_S_OK);
        const auto exception = As<SIMCONNECT_RECV_EXCEPTION>(client.One());
        EXPECT_EQ(exception.dwException, row.exception);
        EXPECT_EQ(exception.dwIndex, row.index);
        EXPECT_EQ(exception.dwSendID, client.LastSendId());
    }
    EXPECT_EQ(world.ReadClientArea("Config"), Bytes(16, 0));
    EXPECT_EQ(world.ReadClientArea("Open"), Bytes(16, 0));

    // Requests are checked against the area the same way; sizes have a ceiling.
    api.RequestClientData(client.handle, 2, 1, 2, SIMCONNECT_CLIENT_DATA_PERIOD_ONCE, 0, 0, 0, 0);
    EXPECT_EQ(As<SIMCONNECT_RECV_EXCEPTION>(client.One()).dwException, SIMCONNECT_EXCEPTION_OUT_OF_BOUNDS);
    api.MapClientDataNameToID(client.handle, "Huge", 4);
    api.CreateClientData(client.handle, 4, SIMCONNECT_CLIENTDATA_MAX_SIZE + 1, 0);
    EXPECT_EQ(As<SIMCONNECT_RECV_EXCEPTION>(client.One()).dwException, SIMCONNECT_EXCEPTION_INVALID_DATA_SIZE);
    api.MapClientDataNameToID(client.handle, "Other", 4);
    EXPECT_EQ(As<SIMCONNECT_RECV_EXCEPTION>(client.One()).dwException, SIMCONNECT_EXCEPTION_DUPLICATE_ID);

    // The creator of a read-only area may write it.
    api.MapClientDataNameToID(client.handle, "Mine", 5);
    api.CreateClientData(client.handle, 5, 16, SIMCONNECT_CREATE_CLIENT_DATA_FLAG_READ_ONLY);
    Bytes mine(16, 7);
    api.SetClientData(client.handle, 5, 1, 0, 0, 16, mine.data());
    EXPECT_TRUE(client.Drain().empty());
    EXPECT_EQ(world.ReadClientArea("mine"), mine);
}

TEST_F(ClientDataTest, CustomEventsReachTheirHandler) {
    Session client(api, "bridge");
    std::vector<std::uint32_t> fired;
    world.OnCustomEvent("fsuipc.sethvar", [&](std::uint32_t data) { fired.push_back(data); });
    api.MapClientEventToSimEvent(client.handle, 2, "FSUIPC.SetHvar");
    api.MapClientEventToSimEvent(client.handle, 3, "#69633");
    api.TransmitClientEvent(client.handle, SIMCONNECT_OBJECT_ID_USER, 2, 17, 1,
                            SIMCONNECT_EVENT_FLAG_GROUPID_IS_PRIORITY);
    api.TransmitClientEvent(client.handle, SIMCONNECT_OBJECT_ID_USER, 3, 536870912, 1,
                            SIMCONNECT_EVENT_FLAG_GROUPID_IS_PRIORITY);
    EXPECT_EQ(fired, std::vector<std::uint32_t>{17});
    EXPECT_TRUE(client.Drain().empty());
}

// An add-on aircraft's SDK: fields set by width and published to an on-set
// reader, "#N" events recorded with their sender, writes to its control area
// kept, and a name that cannot be mapped.
TEST_F(ClientDataTest, AnSdkAircraftPublishesItsFieldsAndHearsItsEvents) {
    SdkAircraft aircraft(world, "PMDG_Test_Data", 16, "PMDG_Test_Control", 8);
    Session client(api, "client");
    api.MapClientDataNameToID(client.handle, "PMDG_Test_Data", 1);
    api.AddToClientDataDefinition(client.handle, 1, 0, 16, 0, 0);
    api.RequestClientData(client.handle, 1, 0, 1, SIMCONNECT_CLIENT_DATA_PERIOD_ON_SET,
                          SIMCONNECT_CLIENT_DATA_REQUEST_FLAG_CHANGED, 0, 0, 0);
    EXPECT_TRUE(client.Drain().empty()) << "nothing published yet";
    aircraft.Set(0, FieldWidth::U8, 300);  // wraps as a cast would
    aircraft.Set(1, FieldWidth::U16, 0xBEEF);
    aircraft.Set(3, FieldWidth::I16, -2);
    aircraft.Set(5, FieldWidth::U32, 70000);
    aircraft.Set(9, FieldWidth::F32, 1.5);
    aircraft.Set(14, FieldWidth::U32, 1);  // does not fit: ignored
    aircraft.Publish();
    const Bytes payload = Payload(client.One());
    const float half = 1.5f;
    Bytes expected = {44, 0xEF, 0xBE, 0xFE, 0xFF, 0x70, 0x11, 0x01, 0x00, 0, 0, 0, 0, 0, 0, 0};
    std::memcpy(expected.data() + 9, &half, 4);
    EXPECT_EQ(payload, expected);

    std::vector<std::string> watched;
    world.WatchAddOnEvents([&](const SimWorld::AddOnEvent& e) { watched.push_back(e.name); });
    world.SetAddOnClock([] { return std::uint64_t{77}; });
    api.MapClientEventToSimEvent(client.handle, 70166, "#70166");
    api.TransmitClientEvent(client.handle, 0, 70166, 0x20000000, 1, 16);
    const auto events = aircraft.Events();
    ASSERT_EQ(events.size(), 1u);
    EXPECT_EQ(events[0].connection, "client");
    EXPECT_EQ(events[0].name, "#70166");
    EXPECT_EQ(events[0].data, 0x20000000u);
    EXPECT_EQ(events[0].at, 77u);
    EXPECT_EQ(watched, std::vector<std::string>{"#70166"});

    api.MapClientDataNameToID(client.handle, "PMDG_Test_Control", 2);
    api.AddToClientDataDefinition(client.handle, 2, 0, 8, 0, 0);
    Bytes control = {1, 2, 3, 4, 5, 6, 7, 8};
    api.SetClientData(client.handle, 2, 2, 0, 0, 8, control.data());
    EXPECT_EQ(aircraft.ControlWrites(), std::vector<Bytes>{control});

    aircraft.FailMapping("PMDG_Test_Data");
    EXPECT_EQ(api.MapClientDataNameToID(client.handle, "pmdg_test_data", 3), SIMCONNECT_E_FAIL);
    EXPECT_TRUE(client.Drain().empty());
}

}  // namespace
}  // namespace tarvo::simworld
