// State of the aircraft adapters: the installed table, which aircraft it
// serves, and what the searches and discoveries found out about it.
#pragma once

#include "adapters/AircraftAdapter.h"
#include "adapters/atr/AtrState.h"
#include "adapters/crj/CrjState.h"
#include "adapters/fenix/FenixState.h"
#include "adapters/generic/CommandState.h"
#include "adapters/inibuilds/InibuildsState.h"
#include "adapters/maddog/MaddogState.h"
#include "adapters/pmdg737/Pmdg737State.h"
#include "adapters/pmdg777/Pmdg777State.h"
#include "platform/Types.h"

#include <atomic>
#include <cstdint>

namespace tarvo::adapters {

struct AdapterState {
    AircraftAdapter table;
    // The discovery thread reads it when its discovery starts.
    std::atomic<std::int32_t> currentAircraftId{1};
    std::int32_t lastSelectedId = 1;

    // A Fenix A320 is known to be loaded; set by the searches, by its discovery
    // and by the aircraft's file name.
    std::atomic<bool> fenixFlag{false};
    // The discovery thread and the main thread's aircraft selection both look for it.
    std::atomic<WindowId> fenixWindow{0};
    fenix::FenixState fenix;

    // What discovery found out about the loaded aircraft; the generic adapter
    // branches on these. The A320 variables are the FlyByWire A32NX's or the
    // Fenix's; the A32NX events are the FlyByWire's custom "A32NX." events.
    std::atomic<bool> a320LvarsFound{false};
    std::atomic<bool> a32nxEventFlag{false};
    std::atomic<bool> asobo747Flag{false};
    std::atomic<bool> cj4Flag{false};
    std::atomic<bool> groundServicesFound{false};

    // Worker threads of crew commands still running; shutdown waits for them.
    std::atomic<std::int32_t> workersRunning{0};
    generic::CommandState commands;
    crj::CrjState crj;
    atr::AtrState atr;
    inibuilds::InibuildsState inibuilds;
    maddog::MaddogState maddog;
    pmdg737::Pmdg737State pmdg737;
    pmdg777::Pmdg777State pmdg777;
};

}  // namespace tarvo::adapters
