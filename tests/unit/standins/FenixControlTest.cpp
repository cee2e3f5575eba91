#include "fenix-standin/FenixControl.h"

#include <gtest/gtest.h>

#include <cstring>
#include <map>
#include <vector>

namespace tarvo::standin {
namespace {

// Images in plain vectors, "placed" where asked or at a made-up address.
class VectorImages final : public FenixImages {
public:
    std::optional<std::uint64_t> Create(const std::string& name, std::size_t size, std::uint64_t address) override {
        if (images.count(name) != 0) return std::nullopt;
        images[name].assign(size, 0);
        return address != 0 ? address : 0x7000000;
    }
    std::span<std::uint8_t> Bytes(const std::string& name) override {
        const auto found = images.find(name);
        return found == images.end() ? std::span<std::uint8_t>() : std::span<std::uint8_t>(found->second);
    }
    std::map<std::string, std::vector<std::uint8_t>> images;
};

template <typename Value>
Value At(const std::vector<std::uint8_t>& bytes, std::size_t offset) {
    Value value;
    std::memcpy(&value, bytes.data() + offset, sizeof value);
    return value;
}

TEST(FenixControl, LaysOutTheBlocksAndRefusesWhatDoesNotFit) {
    VectorImages images;
    bool quit = false;
    const auto run = [&](const std::string& line) { return RunFenixCommand(images, line, [&] { quit = true; }); };
    const std::pair<std::string, std::string> cases[] = {
        {"ping", "ok"},
        {"image sys 4096 0x30000000", "ok 805306368"},
        {"image sys 4096", "error cannot place image sys"},
        {"image big 0", "error not a size: 0"},
        {"fcu sys 512 250.5 123 12000 -1500", "ok"},
        {"fcu sys 100 250 1 2 3", "error does not fit in image sys"},  // its fields would lie before the image
        {"takeoff sys 1024 140 145 150 5000 1 44.5", "ok"},
        {"takeoff sys 4090 140 145 150 5000 1 44.5", "error does not fit in image sys"},
        {"takeoff sys 1024 140 145 x 5000 1 44.5", "error takeoff NAME OFFSET V1 VR V2 TA SETTING FLEX"},
        {R"(fma sys 2048 "SPEED F-ALT F-1   2")", "ok"},
        {"poke sys 4095 AABB", "error does not fit in image sys"},
        {"poke none 0 AA", "error no image none"},
        {"fcu sys 5000 1 2 3 4", "error not an offset in sys: 5000"},
        {"ballast 1", "ok"},
        {"quit", "ok"},
    };
    for (const auto& [line, reply] : cases) EXPECT_EQ(run(line), reply) << line;
    const std::vector<std::uint8_t>& sys = images.images["sys"];
    EXPECT_EQ(sys[512], 'F');
    EXPECT_EQ(sys[514], 'C');
    EXPECT_DOUBLE_EQ(At<double>(sys, 512 - 108), 250.5);
    EXPECT_EQ(At<std::int32_t>(sys, 512 - 92), 12000);
    EXPECT_EQ(At<std::int32_t>(sys, 512 - 24), -1500);
    EXPECT_EQ(At<std::int32_t>(sys, 1024 + 16), 145) << "VR";
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(&sys[2048]), 7), std::string("fmaF\x1F"
                                                                                     "F-"));
    EXPECT_EQ(images.images["ballast0"].size(), 1u << 20);
    EXPECT_TRUE(quit);
}

}  // namespace
}  // namespace tarvo::standin
