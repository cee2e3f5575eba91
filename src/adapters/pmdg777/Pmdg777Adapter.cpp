// The PMDG 777's SDK link: set-up, what arrives on it, unload, take-off data.
#include "adapters/pmdg777/Pmdg777.h"

#include "adapters/Selection.h"
#include "adapters/pmdg/OptionsFiles.h"
#include "adapters/pmdg/Sdk.h"
#include "base/Names.h"
#include "link/Messages.h"
#include "link/Reports.h"

#include <memory>

namespace tarvo::adapters::pmdg777 {
namespace {

using pmdg::AppDataFolder;

constexpr std::string_view kClientName = "ZUL_To_777X";
constexpr std::uint32_t kConfigIndex = 0xFFFFFFFF;
constexpr pmdg::SdkArea kDataArea{"PMDG_777X_Data", 0x504D4447, 0x504D4448, kDataBlockBytes};
constexpr pmdg::SdkArea kControlArea{"PMDG_777X_Control", 0x504D4449, 0x504D444A, pmdg::kControlRecordBytes};

constexpr pmdg::OptionsFile kOptionsFiles[] = {
    {AppDataFolder::Roaming, "\\Microsoft Flight Simulator\\Packages\\pmdg-aircraft-773\\work\\777X_Options.ini"},
    {AppDataFolder::Roaming, "\\Microsoft Flight Simulator\\Packages\\pmdg-aircraft-772\\work\\777X_Options.ini"},
    {AppDataFolder::Roaming, "\\Microsoft Flight Simulator\\Packages\\pmdg-aircraft-77F\\work\\777X_Options.ini"},
    {AppDataFolder::Local,
     "\\Packages\\Microsoft.FlightSimulator_8wekyb3d8bbwe\\LocalState\\Packages\\pmdg-aircraft-773\\work\\"
     "777X_Options.ini"},
    {AppDataFolder::Local,
     "\\Packages\\Microsoft.FlightSimulator_8wekyb3d8bbwe\\LocalState\\Packages\\pmdg-aircraft-772\\work\\"
     "777X_Options.ini"},
    {AppDataFolder::Local,
     "\\Packages\\Microsoft.FlightSimulator_8wekyb3d8bbwe\\LocalState\\Packages\\pmdg-aircraft-77F\\work\\"
     "777X_Options.ini"},
};

constexpr std::string_view kReloadText =
    "ZUL has just enabled data broadcasting for the B777\nin order to get data from the aircraft.\n\n"
    "Please shutdown ZUL, reload the aircraft\nthen re-start ZUL.\n\nThank you";
constexpr std::string_view kReloadCaption = "Aircraft reload required";
constexpr std::string_view kNoSessionText = "Simconnect failure!\nCheck you have installed T7 SP1B or later.";
constexpr std::string_view kNoSessionCaption = "Info";
constexpr std::string_view kNoEventText = "failed to create kernel object. Simulated clicks may not work";
constexpr std::string_view kNoEventCaption = "info";

// The take-off field the crew app is told about when it changes.
constexpr WParam kNotifiedIndex = 0;

// After each data record: the copies, and the crew app told when byte 493 changed.
void Remember(Server& server) {
    Pmdg777State& state = server.adapters.pmdg777;
    const pmdg::SdkLink& sdk = state.link;
    RememberedFields& r = state.remembered;
    r.byte489 = pmdg::Byte(sdk, 489);
    const std::uint8_t byte493 = pmdg::Byte(sdk, 493);
    const bool changed = byte493 != r.byte493;
    r.byte493 = byte493;
    r.byte494 = pmdg::Byte(sdk, 494);
    r.byte495 = pmdg::Byte(sdk, 495);
    r.byte496 = pmdg::Byte(sdk, 496);
    r.byte498 = pmdg::Byte(sdk, 498);
    r.word504 = pmdg::U16(sdk, 504);
    if (changed && sdk.crewWindow != 0) {
        server.ports.desktop.Post(sdk.crewWindow, link::kMsgPmdgData, kNotifiedIndex, static_cast<LParam>(byte493));
    }
}

// A new click event replaces the last one, which closes once no worker waits on it.
void MakeClickEvent(Server& server) {
    Pmdg777State& state = server.adapters.pmdg777;
    platform::Threads& threads = server.ports.threads;
    {
        const std::lock_guard<std::mutex> lock(state.clickEventMutex);
        state.clickEvent.reset();
    }
    const EventId id = threads.NewEvent(false, false);
    if (id == 0) {
        server.ports.desktop.ShowMessageBox(0, kNoEventText, kNoEventCaption, platform::kMbOk);
        return;
    }
    auto event = std::make_shared<const ClickEvent>(threads, id);
    const std::lock_guard<std::mutex> lock(state.clickEventMutex);
    state.clickEvent = std::move(event);
}

}  // namespace

int SetUp(Server& server) {
    Pmdg777State& state = server.adapters.pmdg777;
    pmdg::SdkLink& sdk = state.link;
    if (pmdg::EnableDataBroadcast(server, kOptionsFiles)) {
        server.ports.desktop.ShowMessageBox(0, kReloadText, kReloadCaption,
                                            platform::kMbOk | platform::kMbIconExclamation);
        return 0;
    }
    // Looked up so that the take-off field's changes reach the crew app.
    sdk.crewWindow = server.ports.desktop.FindTopLevelWindow(kCrewWindowClass, kCrewWindowTitle);
    if (pmdg::IsOpen(sdk)) {
        pmdg::ResumeSession(sdk);
    } else {
        if (!pmdg::OpenConnection(server, sdk, kClientName, kConfigIndex)) {
            server.ports.desktop.ShowMessageBox(0, kNoSessionText, kNoSessionCaption, platform::kMbOk);
            return 0;
        }
        // A refused area leaves its copy as it is; the aircraft may publish later.
        pmdg::MapArea(server, sdk, kDataArea);
        pmdg::RequestArea(server, sdk, kDataArea, pmdg::kDataRequest);
        pmdg::MapArea(server, sdk, kControlArea);
        pmdg::RequestArea(server, sdk, kControlArea, pmdg::kControlRequest);
        {
            const std::lock_guard<std::mutex> lock(sdk.records);
            sdk.control.fill(0);
        }
        pmdg::MapEvents(server, sdk, EventsSent());
        pmdg::Pump(server, sdk, Remember);
    }
    MakeClickEvent(server);
    return 1;
}

void Install(Server& server) {
    SetUp(server);
    server.adapters.table = {RunCommand,      QueryValue,      FillAutopilotState, CountEngineStates,
                             ForwardSimEvent, pmdg777::Unload, SendTakeoffData};
}

void PumpLink(Server& server) {
    pmdg::Pump(server, server.adapters.pmdg777.link, Remember);
}

void Unload(Server& server) {
    Pmdg777State& state = server.adapters.pmdg777;
    pmdg::BeginUnload(state.link);
    pmdg::CloseConnection(server, state.link);
    const std::lock_guard<std::mutex> lock(state.clickEventMutex);
    state.clickEvent.reset();
}

void SendTakeoffData(Server& server, WindowId crewWindow, WindowId linkWindow) {
    const Pmdg777State& state = server.adapters.pmdg777;
    const RememberedFields& r = state.remembered;
    link::TakeoffDataRecord record;
    auto& w = record.words;
    w[0] = r.byte494;
    w[1] = r.byte495;
    w[2] = r.byte496;
    w[3] = r.byte498;
    w[4] = r.word504;
    w[5] = r.byte493;
    w[6] = pmdg::U16(state.link, 500);
    link::SendTakeoffRecord(server, crewWindow, linkWindow, record);
}

}  // namespace tarvo::adapters::pmdg777
