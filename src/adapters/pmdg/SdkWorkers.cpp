#include "adapters/pmdg/SdkWorkers.h"

#include "adapters/Workers.h"

#include <utility>

namespace tarvo::adapters::pmdg {

bool StartSdkWorker(Server& server, SdkLink& link, platform::ThreadPriority priority,
                    std::function<void(const Sender&)> body) {
    const Sender sender = CurrentSender(server, link);
    return StartWorker(
        server, [sender, body = std::move(body)] { body(sender); }, priority);
}

bool Pause(const Sender& sender, std::uint32_t milliseconds) {
    return WorkerPause(*sender.server, milliseconds) && IsCurrent(sender);
}

std::uint64_t ClaimKnob(SdkLink& link) {
    const std::uint64_t ticket = ++link.lastKnobTicket;
    link.knobTicket = ticket;
    return ticket;
}

bool HoldsKnob(const SdkLink& link, std::uint64_t ticket) {
    return ticket != 0 && link.knobTicket == ticket;
}

void ReleaseKnob(SdkLink& link, std::uint64_t ticket) {
    link.knobTicket.compare_exchange_strong(ticket, 0);
}

bool IsKnobBusy(const SdkLink& link) {
    return link.knobTicket != 0;
}

void CancelKnob(SdkLink& link) {
    link.knobTicket = 0;
}

}  // namespace tarvo::adapters::pmdg
