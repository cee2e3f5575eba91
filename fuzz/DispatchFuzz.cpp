// Records from the simulator, of every kind, through the main session's
// dispatch procedure with the size each one declares; the identity strings
// are retrieved as the SDK's DLL does, within the record.
#include "FuzzServer.h"
#include "adapters/Selection.h"
#include "sim/Dispatch.h"
#include "sim/SessionState.h"
#include "simworld/InProcessSimConnect.h"
#include "simworld/SimWorld.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace tarvo;
    static simworld::SimWorld world;
    static simworld::InProcessSimConnect simulator(world);
    fuzz::FuzzServer fuzz(&simulator);
    fuzz.server().adapters.table.ForwardSimEvent = adapters::ForwardSimEvent;
    for (auto& record : fuzz::Records({data, size})) {
        sim::DispatchProc(reinterpret_cast<SIMCONNECT_RECV*>(record.data()), static_cast<std::uint32_t>(record.size()),
                          &fuzz.server());
    }
    return 0;
}
