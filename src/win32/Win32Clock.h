#pragma once

#include "platform/Clock.h"

namespace tarvo::win32 {

class Win32Clock final : public platform::Clock {
public:
    std::uint32_t TickCount() override;
    void Sleep(std::uint32_t milliseconds) override;
};

}  // namespace tarvo::win32
