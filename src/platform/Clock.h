// Time as the program sees it: the tick count and every pause. Tests drive it,
// so no test waits for the program's real pauses.
#pragma once

#include <cstdint>

namespace tarvo::platform {

class Clock {
public:
    virtual ~Clock() = default;

    // Milliseconds since an arbitrary start; wraps after 49.7 days like GetTickCount.
    virtual std::uint32_t TickCount() = 0;

    // Pauses the calling thread.
    virtual void Sleep(std::uint32_t milliseconds) = 0;
};

}  // namespace tarvo::platform
