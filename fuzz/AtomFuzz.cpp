// The atom texts of queries 14 (a variable's name) and 15 (a command), through
// the link window's procedure: the first byte picks the query, the rest is the
// atom's text as the crew app added it.
#include "FuzzServer.h"
#include "link/LinkWindow.h"

#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace tarvo;
    if (size == 0) return 0;
    fuzz::FuzzServer fuzz;
    link::LinkWindowProcedure procedure(fuzz.server());
    const WParam query = data[0] % 2 == 0 ? 14 : 15;
    const std::string text(reinterpret_cast<const char*>(data) + 1, size - 1);
    const AtomId atom = fuzz.fake.desktop.AddGlobalAtom(text);
    procedure.OnMessage(fuzz::kLinkWindow, 39383, query, atom, nullptr);
    return 0;
}
