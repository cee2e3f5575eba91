// Numbers that arrive from other programs (the simulator, the WASM module,
// other processes' memory) as doubles and are wanted as integers. A plain cast
// of NaN or of a value out of range is undefined, so they go through here.
#pragma once

#include <cstdint>
#include <limits>

namespace tarvo {

// Toward zero, as a cast would; NaN gives 0 and values beyond the range the
// nearest end of it.
constexpr std::int32_t TruncateToInt32(double value) {
    if (value != value) return 0;  // NaN
    if (value <= static_cast<double>(std::numeric_limits<std::int32_t>::min())) {
        return std::numeric_limits<std::int32_t>::min();
    }
    if (value >= static_cast<double>(std::numeric_limits<std::int32_t>::max())) {
        return std::numeric_limits<std::int32_t>::max();
    }
    return static_cast<std::int32_t>(value);
}

}  // namespace tarvo
