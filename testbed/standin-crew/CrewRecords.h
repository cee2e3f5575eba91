// How the crew stand-in writes down what it received, and parses its driver
// commands. Portable, so the decoding is tested natively.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace tarvo::crew {

// {"dir":"recv","msg":39170,"wParam":0,"lParam":0}
std::string DescribeMessage(std::uint32_t message, std::uint64_t wParam, std::int64_t lParam);
// {"dir":"recv","msg":74,"from":N,"kind":611,"size":180,"words":[...]}: kinds 611
// and 615 as signed 32-bit words, 612 as text, others as hexadecimal.
std::string DescribeCopyData(std::uint64_t from, std::uint64_t kind, const std::uint8_t* bytes, std::uint32_t size);


}  // namespace tarvo::crew
