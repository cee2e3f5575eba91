// The two options the server reads from the crew app's "zul.ini". Every failure
// (no application-data folder, no file) reads as 0.
#pragma once

#include "platform/Files.h"

#include <cstdint>

namespace tarvo::host {

// 1 when [MSFS_HARD_MUTE] CatchScrollLock is nonzero: watch Scroll Lock, not Num Lock.
std::int32_t ReadCatchScrollLockOption(platform::Files& files);
// 1 when [OPTIONS] NoFMAcallouts is 0 (or absent from an existing file).
std::int32_t ReadFmaCalloutsOption(platform::Files& files);

}  // namespace tarvo::host
