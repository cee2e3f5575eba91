// The PMDG 737's SDK link: set-up, what arrives on it, unload, take-off data.
#include "adapters/pmdg737/Pmdg737.h"

#include "adapters/Selection.h"
#include "adapters/pmdg/OptionsFiles.h"
#include "adapters/pmdg/Sdk.h"
#include "base/Names.h"
#include "link/Messages.h"
#include "link/Reports.h"

namespace tarvo::adapters::pmdg737 {
namespace {

using pmdg::AppDataFolder;

constexpr std::string_view kClientName = "ZUL_To_NGX";
constexpr std::uint32_t kConfigIndex = 0;
constexpr pmdg::SdkArea kDataArea{"PMDG_NG3_Data", 0x4E473331, 0x4E473332, kDataBlockBytes};
constexpr pmdg::SdkArea kControlArea{"PMDG_NG3_Control", 0x4E473333, 0x4E473334, pmdg::kControlRecordBytes};

constexpr pmdg::OptionsFile kOptionsFiles[] = {
    {AppDataFolder::Roaming, "\\Microsoft Flight Simulator\\Packages\\pmdg-aircraft-737\\work\\737_Options.ini"},
    {AppDataFolder::Local,
     "\\Packages\\Microsoft.FlightSimulator_8wekyb3d8bbwe\\LocalState\\Packages\\pmdg-aircraft-737\\work\\"
     "737_Options.ini"},
};

constexpr std::string_view kReloadText =
    "ZUL has just enabled data broadcasting for the PMDG aircraft\nin order to get data from it.\n\n"
    "Please shutdown ZUL reload the aircraft\nthen re-start ZUL.\n\nThank you";
constexpr std::string_view kReloadCaption = "Aircraft reload required";
constexpr std::string_view kNoSessionText =
    "Simconnect failure!\nCheck you have installed NGX SP1C.\nDo not start ZUL until NGX is ready to fly";
constexpr std::string_view kRefusedText = "Aircraft is PMDG NGX 737. This new variant may not be fully supported yet";
constexpr std::string_view kInfoCaption = "Info";

// Workers notice the cleared knob flag within this pause.
constexpr std::uint32_t kUnloadMilliseconds = 500;

// The fields the crew app is told about, by index: a byte or a u16 at an offset.
struct NotifiedField {
    std::uint16_t offset;
    bool wide;
};
constexpr NotifiedField kNotifiedFields[kNotifiedFieldCount] = {
    {620, false}, {621, false}, {622, false}, {623, false}, {625, false}, {630, true}, {632, true}, {624, false},
};

std::uint32_t Read(const pmdg::SdkLink& link, const NotifiedField& field) {
    return field.wide ? pmdg::U16(link, field.offset) : pmdg::Byte(link, field.offset);
}

// After each data record: the fields that changed, in index order. The copies
// are kept even with no crew app to tell, since the take-off record reads them.
void NotifyChanges(Server& server) {
    Pmdg737State& state = server.adapters.pmdg737;
    for (std::size_t index = 0; index < kNotifiedFieldCount; ++index) {
        const std::uint32_t value = Read(state.link, kNotifiedFields[index]);
        if (value == state.notified[index]) continue;
        state.notified[index] = value;
        if (state.link.crewWindow != 0) {
            server.ports.desktop.Post(state.link.crewWindow, link::kMsgPmdgData, index, static_cast<LParam>(value));
        }
    }
}

}  // namespace

int SetUp(Server& server) {
    Pmdg737State& state = server.adapters.pmdg737;
    pmdg::SdkLink& sdk = state.link;
    sdk.simulatorWindow = server.host.simulatorWindow;
    if (pmdg::EnableDataBroadcast(server, kOptionsFiles)) {
        server.ports.desktop.ShowMessageBox(0, kReloadText, kReloadCaption,
                                            platform::kMbOk | platform::kMbIconExclamation);
        return 0;
    }
    sdk.crewWindow = server.ports.desktop.FindTopLevelWindow(kCrewWindowClass, kCrewWindowTitle);
    if (pmdg::IsOpen(sdk)) {
        pmdg::ResumeSession(sdk);
        return 1;
    }
    if (!pmdg::OpenConnection(server, sdk, kClientName, kConfigIndex)) {
        server.ports.desktop.ShowMessageBox(0, kNoSessionText, kInfoCaption, platform::kMbOk);
        return 0;
    }
    if (pmdg::MapArea(server, sdk, kDataArea) != SIMCONNECT_S_OK) {
        // An aircraft whose data area goes by another name may still take
        // the events; the connection stays open for them.
        pmdg::MapEvents(server, sdk, EventsSent());
        server.ports.desktop.ShowMessageBox(0, kRefusedText, kInfoCaption, platform::kMbOk);
        return 0;
    }
    pmdg::RequestArea(server, sdk, kDataArea, pmdg::kDataRequest);
    {
        const std::lock_guard<std::mutex> lock(sdk.records);
        sdk.control.fill(0);
    }
    pmdg::MapArea(server, sdk, kControlArea);
    pmdg::RequestArea(server, sdk, kControlArea, pmdg::kControlRequest);
    pmdg::MapEvents(server, sdk, EventsSent());
    pmdg::Pump(server, sdk, NotifyChanges);
    return 1;
}

void Install(Server& server) {
    SetUp(server);
    server.adapters.table = {RunCommand,      QueryValue,      FillAutopilotState, CountEngineStates,
                             ForwardSimEvent, pmdg737::Unload, SendTakeoffData};
}

void PumpLink(Server& server) {
    pmdg::Pump(server, server.adapters.pmdg737.link, NotifyChanges);
}

void Unload(Server& server) {
    pmdg::SdkLink& sdk = server.adapters.pmdg737.link;
    pmdg::BeginUnload(sdk);
    server.ports.clock.Sleep(kUnloadMilliseconds);
    pmdg::CloseConnection(server, sdk);
}

void SendTakeoffData(Server& server, WindowId crewWindow, WindowId linkWindow) {
    const Pmdg737State& state = server.adapters.pmdg737;
    const auto& notified = state.notified;
    link::TakeoffDataRecord record;
    auto& w = record.words;
    w[0] = static_cast<std::int32_t>(notified[1]);
    w[1] = static_cast<std::int32_t>(notified[2]);
    w[2] = static_cast<std::int32_t>(notified[3]);
    w[3] = static_cast<std::int32_t>(notified[4]);
    w[4] = static_cast<std::int32_t>(notified[5]);
    w[5] = static_cast<std::int32_t>(notified[0]);
    w[6] = pmdg::U16(state.link, 626);
    w[9] = pmdg::U16(state.link, 632);
    link::SendTakeoffRecord(server, crewWindow, linkWindow, record);
}

}  // namespace tarvo::adapters::pmdg737
