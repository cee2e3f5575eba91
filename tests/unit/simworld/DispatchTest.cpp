#include "SimWorldTesting.h"
#include "simworld/InProcessSimConnect.h"
#include "simworld/SimWorld.h"

#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <vector>

namespace tarvo::simworld {
namespace {

using testing::As;
using testing::KindOf;
using testing::Record;
using testing::Session;

class DispatchTest : public ::testing::Test {
protected:
    SimWorld world;
    InProcessSimConnect api{world};
};

TEST_F(DispatchTest, ClosedHandleFailsEveryCall) {
    Session s(api, "short-lived");
    api.SubscribeToSystemEvent(s.handle, 1, "Sim");
    world.FireSystemEvent("Sim", 1);
    world.FireSystemEvent("Sim", 0);
    SIMCONNECT_RECV* held = nullptr;
    std::uint32_t size = 0;
    ASSERT_EQ(api.GetNextDispatch(s.handle, &held, &size), SIMCONNECT_S_OK);

    EXPECT_EQ(api.Close(s.handle), SIMCONNECT_S_OK);
    // The record handed out last is still readable after Close.
    EXPECT_EQ(held->dwID, SIMCONNECT_RECV_ID_EVENT);

    std::uint32_t sendId = 0;
    SIMCONNECT_RECV* data = nullptr;
    EXPECT_EQ(api.Close(s.handle), SIMCONNECT_E_FAIL);
    EXPECT_EQ(api.GetNextDispatch(s.handle, &data, &size), SIMCONNECT_E_FAIL);
    EXPECT_EQ(api.CallDispatch(
                  s.handle, [](SIMCONNECT_RECV*, std::uint32_t, void*) {}, nullptr),
              SIMCONNECT_E_FAIL);
    EXPECT_EQ(api.AddToDataDefinition(s.handle, 1, "SIM ON GROUND", "Bool", SIMCONNECT_DATATYPE_INT32, 0, 0),
              SIMCONNECT_E_FAIL);
    EXPECT_EQ(api.GetLastSentPacketID(s.handle, &sendId), SIMCONNECT_E_FAIL);
    EXPECT_EQ(api.Pending(s.handle), 0u);
    world.FireSystemEvent("Sim", 1);  // nobody left to queue for

    // Made-up handles and another client's handles fail the same way.
    EXPECT_EQ(api.GetLastSentPacketID(nullptr, &sendId), SIMCONNECT_E_FAIL);
    EXPECT_EQ(api.GetLastSentPacketID(reinterpret_cast<SIMCONNECT_HANDLE>(std::uintptr_t{0x12345}), &sendId),
              SIMCONNECT_E_FAIL);
    Session live(api, "live");
    InProcessSimConnect other(world);
    EXPECT_EQ(other.GetLastSentPacketID(live.handle, &sendId), SIMCONNECT_E_FAIL);
}

struct Callbacks {
    InProcessSimConnect* api = nullptr;
    SIMCONNECT_HANDLE handle = nullptr;
    std::vector<std::uint32_t> kinds;
};

TEST_F(DispatchTest, CallbacksMayCallBackIntoTheWorld) {
    std::vector<std::size_t> pendingAtSignal;
    SIMCONNECT_HANDLE handle = nullptr;
    api.SetSignal([&](EventId event) {
        EXPECT_EQ(event, 42u);
        pendingAtSignal.push_back(api.Pending(handle));
    });
    ASSERT_EQ(api.Open(&handle, "ZULtoMSFS", 0, 0, 42, 0), SIMCONNECT_S_OK);
    EXPECT_EQ(pendingAtSignal, std::vector<std::size_t>{1});  // the OPEN record

    api.SubscribeToSystemEvent(handle, 150, "Sim");
    api.MapClientEventToSimEvent(handle, 243, "SPOILERS_SET");
    api.AddClientEventToNotificationGroup(handle, 0, 243, 0);
    api.MapClientEventToSimEvent(handle, 5, "FSUIPC.Reload");
    api.MapClientDataNameToID(handle, "FSUIPC_config", 1);
    api.AddToClientDataDefinition(handle, 1, 0, 4, 0, 0);
    api.RequestClientData(handle, 1, 9, 1, SIMCONNECT_CLIENT_DATA_PERIOD_ON_SET, 0, 0, 0, 0);
    world.CreateClientArea("FSUIPC_config", 4, true);
    // The module answers a reload by rewriting its area, from inside the handler.
    world.OnCustomEvent("FSUIPC.Reload", [&](std::uint32_t) {
        const std::uint8_t bytes[] = {1, 2, 3, 4};
        world.WriteClientArea("FSUIPC_config", 0, bytes);
    });

    Callbacks callbacks{&api, handle, {}};
    const auto procedure = [](SIMCONNECT_RECV* data, std::uint32_t, void* context) {
        auto& c = *static_cast<Callbacks*>(context);
        c.kinds.push_back(data->dwID);
        if (data->dwID == SIMCONNECT_RECV_ID_EVENT && reinterpret_cast<SIMCONNECT_RECV_EVENT*>(data)->uEventID == 150) {
            c.api->TransmitClientEvent(c.handle, 0, 243, 100, 1, SIMCONNECT_EVENT_FLAG_GROUPID_IS_PRIORITY);
            c.api->TransmitClientEvent(c.handle, 0, 5, 0, 1, SIMCONNECT_EVENT_FLAG_GROUPID_IS_PRIORITY);
        }
    };
    EXPECT_EQ(api.CallDispatch(handle, procedure, &callbacks), SIMCONNECT_S_OK);  // OPEN
    pendingAtSignal.clear();
    world.FireSystemEvent("Sim", 1);
    EXPECT_EQ(pendingAtSignal, std::vector<std::size_t>{1});

    EXPECT_EQ(api.CallDispatch(handle, procedure, &callbacks), SIMCONNECT_S_OK);
    EXPECT_EQ(api.Pending(handle), 2u);  // our SPOILERS_SET came back, and the area was set
    EXPECT_EQ(api.CallDispatch(handle, procedure, &callbacks), SIMCONNECT_S_OK);
    EXPECT_EQ(api.CallDispatch(handle, procedure, &callbacks), SIMCONNECT_S_OK);
    EXPECT_EQ(api.CallDispatch(handle, procedure, &callbacks), SIMCONNECT_S_OK);  // nothing waits: still S_OK
    EXPECT_EQ(callbacks.kinds, (std::vector<std::uint32_t>{SIMCONNECT_RECV_ID_OPEN, SIMCONNECT_RECV_ID_EVENT,
                                                           SIMCONNECT_RECV_ID_EVENT, SIMCONNECT_RECV_ID_CLIENT_DATA}));
    EXPECT_EQ(world.Number("SPOILERS HANDLE POSITION", "position 16k"), 100.0);
}

TEST_F(DispatchTest, ConcurrentClientsAndWorld) {
    Session s(api, "busy");
    api.SubscribeToSystemEvent(s.handle, 1, "Pause");
    api.MapClientEventToSimEvent(s.handle, 2, "PARKING_BRAKES");
    api.AddClientEventToNotificationGroup(s.handle, 0, 2, 0);
    api.AddToDataDefinition(s.handle, 1, "BRAKE PARKING POSITION", "Bool", SIMCONNECT_DATATYPE_INT32, 0, 0);
    api.RequestDataOnSimObject(s.handle, 1, 1, 0, SIMCONNECT_PERIOD_SECOND, 0, 0, 0, 0);
    constexpr int kEach = 300;
    std::thread world1([&] {
        for (int i = 0; i < kEach; ++i) world.FireSystemEvent("Pause", 1);
    });
    std::thread world2([&] {
        for (int i = 0; i < kEach; ++i) world.AdvanceTime(1000);
    });
    std::thread client([&] {
        for (int i = 0; i < kEach; ++i) api.TransmitClientEvent(s.handle, 0, 2, 0, 1, 16);
    });
    world1.join();
    world2.join();
    client.join();
    EXPECT_EQ(s.Drain().size(), 1u + 3 * kEach);                     // the first data record came with the request
    EXPECT_EQ(world.Number("BRAKE PARKING POSITION", "Bool"), 1.0);  // toggled an even number of times
}

TEST_F(DispatchTest, TraceLinesInCallOrder) {
    std::vector<std::string> lines;
    api.SetTrace([&](const TraceEntry& entry) { lines.push_back(ToJsonLine(entry)); });
    SIMCONNECT_HANDLE h = nullptr;
    api.Open(&h, "ZULtoMSFS", 0, 0, 0, 0);
    api.SubscribeToSystemEvent(h, 150, "Sim");
    SIMCONNECT_RECV* data = nullptr;
    std::uint32_t size = 0;
    api.GetNextDispatch(h, &data, &size);
    api.GetNextDispatch(h, &data, &size);  // nothing waits: not traced
    world.FireSystemEvent("Sim", 1);
    api.CallDispatch(
        h, [](SIMCONNECT_RECV*, std::uint32_t, void*) {}, nullptr);
    api.AddToDataDefinition(h, 6, "TITLE", nullptr, SIMCONNECT_DATATYPE_STRINGV, 0, SIMCONNECT_UNUSED);
    api.AddToDataDefinition(h, 14, "LIGHT LANDING:1", "Bool", SIMCONNECT_DATATYPE_FLOAT64, 0.5f, SIMCONNECT_UNUSED);
    double on = 1.0;
    api.SetDataOnSimObject(h, 14, 0, 0, 0, 8, &on);
    api.SetDataOnSimObject(h, 14, 0, 0, 0, 4, &on);  // wrong size: the world reads nothing
    api.RequestDataOnSimObjectType(h, 6, 6, 0, SIMCONNECT_SIMOBJECT_TYPE_USER);
    api.GetNextDispatch(h, &data, &size);
    api.GetNextDispatch(h, &data, &size);
    char* text = nullptr;
    std::uint32_t length = 0;
    api.RetrieveString(data, size, reinterpret_cast<char*>(data) + 40, &text, &length);
    api.FlightPlanLoad(h, "C:\\a \"b\"\n\xB0.pln");

    const std::vector<std::string> expected = {
        R"({"conn":"ZULtoMSFS","dir":"call","fn":"Open","args":["ZULtoMSFS",0,0,0,0]})",
        R"({"conn":"ZULtoMSFS","dir":"call","fn":"SubscribeToSystemEvent","args":[150,"Sim"]})",
        R"({"conn":"ZULtoMSFS","dir":"call","fn":"GetNextDispatch","args":[]})",
        R"({"conn":"ZULtoMSFS","dir":"send","fn":"OPEN","args":["Tarvo81 simworld"]})",
        R"({"conn":"ZULtoMSFS","dir":"call","fn":"CallDispatch","args":[]})",
        R"({"conn":"ZULtoMSFS","dir":"send","fn":"EVENT","args":[4294967295,150,1]})",
        R"({"conn":"ZULtoMSFS","dir":"call","fn":"AddToDataDefinition","args":[6,"TITLE",null,11,0,4294967295]})",
        R"({"conn":"ZULtoMSFS","dir":"call","fn":"AddToDataDefinition",)"
        R"("args":[14,"LIGHT LANDING:1","Bool",4,0.5,4294967295]})",
        R"({"conn":"ZULtoMSFS","dir":"call","fn":"SetDataOnSimObject","args":[14,0,0,0,8,"000000000000f03f"]})",
        R"({"conn":"ZULtoMSFS","dir":"call","fn":"SetDataOnSimObject","args":[14,0,0,0,4,4]})",
        R"({"conn":"ZULtoMSFS","dir":"call","fn":"RequestDataOnSimObjectType","args":[6,6,0,0]})",
        R"({"conn":"ZULtoMSFS","dir":"call","fn":"GetNextDispatch","args":[]})",
        R"({"conn":"ZULtoMSFS","dir":"send","fn":"EXCEPTION","args":[2,6,6]})",
        R"({"conn":"ZULtoMSFS","dir":"call","fn":"GetNextDispatch","args":[]})",
        R"({"conn":"ZULtoMSFS","dir":"send","fn":"SIMOBJECT_DATA_BYTYPE","args":[6,6,24]})",
        R"({"conn":"","dir":"call","fn":"RetrieveString","args":[64,40]})",
        R"({"conn":"ZULtoMSFS","dir":"call","fn":"FlightPlanLoad","args":["C:\\a \"b\"\n\u00b0.pln"]})",
    };
    ASSERT_EQ(lines.size(), expected.size());
    for (std::size_t i = 0; i < lines.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(lines[i], expected[i]);
    }
}

}  // namespace
}  // namespace tarvo::simworld
