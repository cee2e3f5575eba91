// WM_COPYDATA records from the crew app, through the link window's procedure
// as the shell hands them on: the first byte of each record picks its kind
// (613 overlay text, 617 initial position, 618 flight plan, 887 version, or
// another), the rest is its payload; an empty payload comes with a null
// pointer, as Windows gives it. Message 39177 then shows the overlay text.
#include "FuzzServer.h"
#include "link/LinkWindow.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace tarvo;
    fuzz::FuzzServer fuzz;
    link::LinkWindowProcedure procedure(fuzz.server());
    constexpr std::uint64_t kKinds[] = {613, 617, 618, 887, 611, 0};
    for (const auto& record : fuzz::Records({data, size})) {
        if (record.empty()) continue;
        const std::uint64_t kind = kKinds[record[0] % std::size(kKinds)];
        const std::size_t length = record.size() - 1;
        // Its own buffer, exactly as long as the record says; none when empty.
        std::vector<std::uint8_t> payload(record.begin() + 1, record.end());
        const platform::CopyData copy{kind, {length == 0 ? nullptr : payload.data(), length}};
        procedure.OnMessage(fuzz::kLinkWindow, platform::kWmCopyData, fuzz::kCrewWindow, 0, &copy);
        procedure.OnMessage(fuzz::kLinkWindow, 39177, 0, 1000, nullptr);
    }
    return 0;
}
