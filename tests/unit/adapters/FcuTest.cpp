#include "adapters/fenix/Fcu.h"

#include "fakes/FakeServer.h"

#include <gtest/gtest.h>

#include <cstring>

namespace tarvo::adapters::fenix {
namespace {

TEST(Fcu, FieldsReadWhereTheyWereFoundAndMinusOneOtherwise) {
    fakes::FakeServer fake;
    fakes::FakeProcessMemory::Region region;
    region.info = {0x5000000, 0x1000, 0, 0, 0, 0};
    region.bytes.assign(0x100, 0);
    const std::int32_t altitude = 35000;
    const double speed = 250.75;
    std::memcpy(region.bytes.data() + 0x10, &altitude, sizeof altitude);
    std::memcpy(region.bytes.data() + 0x20, &speed, sizeof speed);
    fake.memory.regions.push_back(region);

    EXPECT_FALSE(IsFcuFieldKnown(fake.server, FcuField::Altitude));
    EXPECT_EQ(ReadFcuInt32(fake.server, FcuField::Altitude), -1) << "not found yet";
    FenixState& fenix = fake.server.adapters.fenix;
    fenix.fcuAddresses[static_cast<std::size_t>(FcuField::Altitude)] = 0x5000010;
    fenix.fcuAddresses[static_cast<std::size_t>(FcuField::Speed)] = 0x5000020;
    fenix.fcuAddresses[static_cast<std::size_t>(FcuField::Heading)] = 0x50000FE;  // runs off the readable bytes
    EXPECT_EQ(ReadFcuInt32(fake.server, FcuField::Altitude), -1) << "no system process open";

    fenix.systemProcess = 0x7001;
    EXPECT_TRUE(IsFcuFieldKnown(fake.server, FcuField::Altitude));
    EXPECT_EQ(ReadFcuInt32(fake.server, FcuField::Altitude), 35000);
    EXPECT_DOUBLE_EQ(ReadFcuDouble(fake.server, FcuField::Speed), 250.75);
    EXPECT_EQ(ReadFcuInt32(fake.server, FcuField::Heading), -1) << "a read cut short is a failed read";
    EXPECT_DOUBLE_EQ(ReadSystemDouble(fake.server, 0x9000000), -1.0);
}

}  // namespace
}  // namespace tarvo::adapters::fenix
