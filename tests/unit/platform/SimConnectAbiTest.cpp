#include "platform/SimConnectAbi.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace tarvo::platform {
namespace {

// A fake library: every export resolves to a distinct address unless listed as absent.
struct FakeLibrary {
    std::set<std::string> absent;
    std::set<std::string> asked;
};

void* LookUp(void* library, const char* exportName) {
    auto* fake = static_cast<FakeLibrary*>(library);
    fake->asked.insert(exportName);
    if (fake->absent.contains(exportName)) return nullptr;
    return reinterpret_cast<void*>(static_cast<std::uintptr_t>(0x1000 + fake->asked.size()));
}

TEST(SimConnectExports, BindsEveryExportByItsPlainName) {
    FakeLibrary library;
    SimConnectExports exports;
    EXPECT_TRUE(BindSimConnectExports(exports, &library, LookUp).empty());
    EXPECT_EQ(library.asked.size(), 24u);
    EXPECT_TRUE(library.asked.contains("SimConnect_Open"));
    EXPECT_TRUE(library.asked.contains("SimConnect_RetrieveString"));
    EXPECT_TRUE(library.asked.contains("SimConnect_GetLastSentPacketID"));
    EXPECT_NE(exports.Open, nullptr);
    EXPECT_NE(exports.SetClientData, nullptr);
}

TEST(SimConnectExports, ReportsEachMissingExportInTableOrder) {
    FakeLibrary library;
    library.absent = {"SimConnect_TransmitClientEvent", "SimConnect_Close"};
    SimConnectExports exports;
    const auto missing = BindSimConnectExports(exports, &library, LookUp);
    ASSERT_EQ(missing.size(), 2u);
    EXPECT_EQ(missing[0], "SimConnect_Close");
    EXPECT_EQ(missing[1], "SimConnect_TransmitClientEvent");
    EXPECT_EQ(exports.Close, nullptr);
}

}  // namespace
}  // namespace tarvo::platform
