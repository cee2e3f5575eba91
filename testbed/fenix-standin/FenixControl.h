// The Fenix stand-in's control channel: one text command per connection, one
// reply line ("ok ..." or "error ..."). Tests lay out what the server's memory
// searches look for in the stand-in's own memory:
//
//   image NAME SIZE [ADDRESS]   SIZE zero bytes of the Fenix's kind of memory
//                               (private, committed read-write from the start),
//                               at ADDRESS when given; replies ok ADDRESS
//   poke NAME OFFSET HEX        bytes into an image
//   fcu NAME OFFSET SPD HDG ALT VS
//                               the FCU's marker at OFFSET, its fields before it
//   takeoff NAME OFFSET V1 VR V2 TA SETTING FLEX
//                               the take-off data block at OFFSET
//   fma NAME OFFSET TEXT        the annunciations' header at OFFSET, then TEXT
//   ballast MB                  MB MiB more of that memory, filled, to search through
//   ping                        replies ok
//   quit                        the stand-in exits
// Numbers may be decimal or 0x hexadecimal; tokens with blanks go in double quotes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>

namespace tarvo::standin {

class FenixImages {
public:
    virtual ~FenixImages() = default;
    // Places a zero-filled image, at address unless it is 0; its address, or
    // nullopt when it cannot be made (or the name is taken).
    virtual std::optional<std::uint64_t> Create(const std::string& name, std::size_t size, std::uint64_t address) = 0;
    // The image's bytes; empty when there is no such image.
    virtual std::span<std::uint8_t> Bytes(const std::string& name) = 0;
};

std::string RunFenixCommand(FenixImages& images, const std::string& line, const std::function<void()>& requestQuit);

}  // namespace tarvo::standin
