// The stand-in's control channel: one text command per connection, one reply
// line ("ok ..." or "error ..."). Tests and the demo drive scenarios with it.
//
//   set NAME UNIT VALUE      get NAME UNIT          string NAME TEXT
//   getstring NAME           event NAME DATA        filename NAME PATH
//   aircraft PATH            frame RATE SPEED       key NAME DATA
//   image NAME SIZE          poke NAME OFFSET HEX   quit
//   ping                     wasm ...  (see WasmModuleHost)
//   atc [ENTRY...]           the ATC menu image: "PANEL_ATC", then the entries
//   ballast MB               MB MiB more of the kind of memory the menu lives in
// Tokens with blanks go in double quotes: set "PLANE ALTITUDE" feet 5000
#pragma once

#include "simworld/SimWorld.h"
#include "simworld/WasmModule.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace tarvo::standin {

// Blocks of the stand-in's own memory that hold what the server reads from the
// simulator's process (the ATC menu, an add-on's data), by name. They are
// private and read-write, reserved without access and then committed, as the
// simulator's own heap blocks are.
class MemoryImages {
public:
    virtual ~MemoryImages() = default;
    // Places a zero-filled image; its address, or nullopt when it cannot be made.
    virtual std::optional<std::uint64_t> Create(const std::string& name, std::size_t size) = 0;
    // Writes bytes into an image; false when they do not fit or there is no such image.
    virtual bool Write(const std::string& name, std::size_t offset, const std::vector<std::uint8_t>& bytes) = 0;
};

// The FSUIPC WASM module, once installed, and the aircraft profile being put
// together for its next load:
//   wasm install [VERSION]   the module appears (its fixed areas); 1.0.3 unless told
//   wasm lvar NAME VALUE     adds an lvar to the next profile
//   wasm lvars COUNT PREFIX  adds COUNT lvars PREFIX0 .. PREFIX<COUNT-1>, all 0
//   wasm hvar NAME           adds an H: event ("H:..." as the module names them)
//   wasm load                the aircraft of that profile loads; a new profile starts
//   wasm silent on|off       installed but not answering, or answering again
//   wasm set NAME VALUE      the aircraft changes an lvar
//   wasm get NAME            replies ok VALUE
//   wasm reloads             replies ok COUNT ("FSUIPC.Reload" events received)
//   wasm writes              replies ok NAME=VALUE ... (the lvar writes received, in order)
//   wasm fired               replies ok H:NAME ... (the H: events fired, in order)
//   wasm code                replies ok "CODE" ... (the calculator code received, in order)
class WasmModuleHost {
public:
    explicit WasmModuleHost(simworld::SimWorld& world) : world_(world) {}
    // tokens: the command's words after "wasm".
    std::string Run(const std::vector<std::string>& tokens);

private:
    simworld::SimWorld& world_;
    std::unique_ptr<simworld::WasmModule> module_;
    simworld::AircraftProfile next_;
};

// Runs one command on the world, the memory images and the module; requestQuit
// is called for "quit".
std::string RunCommand(simworld::SimWorld& world, MemoryImages& images, WasmModuleHost& wasm, const std::string& line,
                       const std::function<void()>& requestQuit);


}  // namespace tarvo::standin
