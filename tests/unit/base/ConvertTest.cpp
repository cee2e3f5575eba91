#include "base/Convert.h"

#include <gtest/gtest.h>

#include <limits>

namespace tarvo {
namespace {

TEST(TruncateToInt32, IsDefinedForEveryDouble) {
    constexpr double kInf = std::numeric_limits<double>::infinity();
    const struct {
        double value;
        std::int32_t expected;
    } cases[] = {
        {250.9, 250},
        {-2.9, -2},
        {std::numeric_limits<double>::quiet_NaN(), 0},
        {kInf, 2147483647},
        {-kInf, -2147483647 - 1},
        {1e12, 2147483647},
        {-1e12, -2147483647 - 1},
        {2147483647.5, 2147483647},
        {-2147483648.0, -2147483647 - 1},
    };
    for (const auto& c : cases) EXPECT_EQ(TruncateToInt32(c.value), c.expected) << c.value;
}

}  // namespace
}  // namespace tarvo
