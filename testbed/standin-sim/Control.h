// The stand-in's control channel: one text command per connection, one reply
// line ("ok ..." or "error ..."). Tests and the demo drive scenarios with it.
//
//   set NAME UNIT VALUE      get NAME UNIT          string NAME TEXT
//   getstring NAME           event NAME DATA        filename NAME PATH
//   aircraft PATH            frame RATE SPEED       key NAME DATA
//   quit                     ping
// Tokens with blanks go in double quotes: set "PLANE ALTITUDE" feet 5000
#pragma once

#include "simworld/SimWorld.h"

#include <functional>
#include <string>

namespace tarvo::standin {

// Runs one command on the world; requestQuit is called for "quit".
std::string RunCommand(simworld::SimWorld& world, const std::string& line, const std::function<void()>& requestQuit);


}  // namespace tarvo::standin
