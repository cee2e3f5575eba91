// A SimConnect that answers every call with success (or a chosen failure for
// Open and Close) and records each call with its arguments. For tests that only look at
// what the core asked; tests of behaviour against a simulator use simworld.
#pragma once

#include "fakes/Journal.h"
#include "platform/SimConnect.h"

#include <atomic>
#include <functional>

namespace tarvo::fakes {

class RecordingSimConnect final : public platform::SimConnect {
public:
    explicit RecordingSimConnect(Journal& journal) : journal_(journal) {}

    TARVO_SIMCONNECT_OVERRIDES

    SIMCONNECT_HRESULT openResult = SIMCONNECT_S_OK;
    SIMCONNECT_HRESULT closeResult = SIMCONNECT_S_OK;
    // The wake event of the last Open: signalling it makes the client dispatch.
    std::atomic<EventId> openedEvent{0};
    // Runs on every CallDispatch, with the procedure and context the core passed.
    std::function<void(SIMCONNECT_DISPATCHPROC, void*)> onCallDispatch;
    // What CallDispatch answers: a failure is how a lost simulator shows.
    std::atomic<SIMCONNECT_HRESULT> callDispatchResult{SIMCONNECT_S_OK};

private:
    SIMCONNECT_HRESULT Record(std::string entry);

    Journal& journal_;
    int session_ = 0;  // its address is the handle a successful Open gives
};

}  // namespace tarvo::fakes
