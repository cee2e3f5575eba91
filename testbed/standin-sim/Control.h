// The stand-in's control channel: one text command per connection, one reply
// line ("ok ..." or "error ..."). Tests and the demo drive scenarios with it.
//
//   set NAME UNIT VALUE      get NAME UNIT          string NAME TEXT
//   getstring NAME           event NAME DATA        filename NAME PATH
//   aircraft PATH            frame RATE SPEED       key NAME DATA
//   image NAME SIZE          poke NAME OFFSET HEX   quit
//   ping
// Tokens with blanks go in double quotes: set "PLANE ALTITUDE" feet 5000
#pragma once

#include "simworld/SimWorld.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace tarvo::standin {

// Blocks of the stand-in's own memory that hold what the server reads from the
// simulator's process (the ATC menu, an add-on's data), by name.
class MemoryImages {
public:
    virtual ~MemoryImages() = default;
    // Places a zero-filled image; its address, or nullopt when it cannot be made.
    virtual std::optional<std::uint64_t> Create(const std::string& name, std::size_t size) = 0;
    // Writes bytes into an image; false when they do not fit or there is no such image.
    virtual bool Write(const std::string& name, std::size_t offset, const std::vector<std::uint8_t>& bytes) = 0;
};

// Runs one command on the world and the memory images; requestQuit is called for "quit".
std::string RunCommand(simworld::SimWorld& world, MemoryImages& images, const std::string& line,
                       const std::function<void()>& requestQuit);


}  // namespace tarvo::standin
