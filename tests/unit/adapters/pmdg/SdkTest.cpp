// The PMDG SDK link the 737 and 777 share: what a received record may write,
// and when a sender may send.
#include "adapters/pmdg/Sdk.h"

#include "adapters/pmdg/OptionsFiles.h"
#include "adapters/pmdg/SdkWorkers.h"
#include "fakes/FakeServer.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

namespace tarvo::adapters::pmdg {
namespace {

struct PmdgSdkTest : ::testing::Test {
    PmdgSdkTest() {
        fake.clock.SetAutoAdvance(true);
        EXPECT_TRUE(OpenConnection(fake.server, link, "TEST", 0));
    }

    // A CLIENT_DATA record of that request with payload bytes, declared as size bytes long.
    void Deliver(std::uint32_t request, std::vector<std::uint8_t> payload, std::uint32_t size) {
        std::vector<std::uint8_t> record(kSimConnectDataOffset + payload.size());
        SIMCONNECT_RECV_CLIENT_DATA header{};
        header.dwSize = static_cast<std::uint32_t>(record.size());
        header.dwID = SIMCONNECT_RECV_ID_CLIENT_DATA;
        header.dwRequestID = request;
        std::memcpy(record.data(), &header, kSimConnectDataOffset);
        std::copy(payload.begin(), payload.end(), record.begin() + kSimConnectDataOffset);
        fake.simConnect.onCallDispatch = [&](SIMCONNECT_DISPATCHPROC dispatch, void* context) {
            dispatch(reinterpret_cast<SIMCONNECT_RECV*>(record.data()), size, context);
        };
        Pump(fake.server, link, [](Server&) { ++records; });
        fake.simConnect.onCallDispatch = nullptr;
    }

    std::size_t Transmissions() const {
        return fake.journal.EntriesStartingWith("SimConnect.TransmitClientEvent").size();
    }

    static inline int records = 0;
    fakes::FakeServer fake;
    SdkLink link{16};
};

TEST_F(PmdgSdkTest, ARecordWritesOnlyWhatArrived) {
    records = 0;
    Deliver(kDataRequest, std::vector<std::uint8_t>(16, 0xAA), 56);
    Deliver(kDataRequest, {1, 2, 3}, 43);  // a short record
    EXPECT_EQ(Byte(link, 2), 3);
    EXPECT_EQ(Byte(link, 3), 0xAA) << "past what arrived, the copy stays";
    Deliver(kDataRequest, std::vector<std::uint8_t>(32, 7), 72);  // longer than the block
    EXPECT_EQ(Byte(link, 15), 7);
    EXPECT_EQ(U32(link, 14), 0u) << "a field past the block reads 0";
    Deliver(kDataRequest, {9, 9}, 41);  // the declared size cuts the payload
    EXPECT_EQ(Byte(link, 0), 9);
    EXPECT_EQ(Byte(link, 1), 7);
    Deliver(kDataRequest, {5}, 39);  // not even a header
    EXPECT_EQ(Byte(link, 0), 9);
    EXPECT_EQ(records, 4) << "after each data record";

    Deliver(kControlRequest, std::vector<std::uint8_t>(12, 4), 52);
    Deliver(kControlRequest, {6}, 41);
    EXPECT_EQ(link.control, (std::array<std::uint8_t, 8>{6, 4, 4, 4, 4, 4, 4, 4}));
    Deliver(7, {1, 1}, 42);
    EXPECT_EQ(Byte(link, 0), 9) << "other requests are ignored";
    EXPECT_EQ(records, 4);
}

TEST_F(PmdgSdkTest, NothingIsSentOnceUnloadingBegins) {
    const Sender sender = CurrentSender(fake.server, link);
    EXPECT_TRUE(Click(sender, 70000, Button::Left));
    EXPECT_EQ(Transmissions(), 2u);
    EXPECT_EQ(fake.journal.EntriesStartingWith("SimConnect.TransmitClientEvent").front(),
              "SimConnect.TransmitClientEvent 0 70000 536870912 1 16");

    BeginUnload(link);
    EXPECT_FALSE(Send(sender, 70000, Mouse::RightPress));
    EXPECT_FALSE(Pause(sender, 100)) << "a worker ends at its next pause";
    EXPECT_FALSE(Send(CurrentSender(fake.server, link), 70000, Mouse::RightPress));
    CloseConnection(fake.server, link);
    EXPECT_EQ(Transmissions(), 2u);

    // A new connection sends again, but not for a worker of the old one.
    EXPECT_TRUE(OpenConnection(fake.server, link, "TEST", 0));
    EXPECT_FALSE(Send(sender, 70000, Mouse::RightPress));
    EXPECT_TRUE(Send(CurrentSender(fake.server, link), 70000, Mouse::RightRelease));
    EXPECT_EQ(fake.journal.EntriesStartingWith("SimConnect.TransmitClientEvent").back(),
              "SimConnect.TransmitClientEvent 0 70000 524288 1 16");
    // Resuming an open link begins a new session too.
    const Sender before = CurrentSender(fake.server, link);
    ResumeSession(link);
    EXPECT_FALSE(Send(before, 70000, Mouse::LeftPress));
}

// A closed handle is done with whatever the close reports (our stand-in DLL
// frees its session either way); one kept was used on the next pump or send.
TEST_F(PmdgSdkTest, AFailedCloseStillForgetsTheConnection) {
    fake.simConnect.closeResult = SIMCONNECT_E_FAIL;
    CloseConnection(fake.server, link);
    EXPECT_FALSE(IsOpen(link));
    EXPECT_FALSE(Send(CurrentSender(fake.server, link), 70000, Mouse::LeftPress));
    Pump(fake.server, link, nullptr);
    CloseConnection(fake.server, link);
    EXPECT_EQ(fake.journal.EntriesStartingWith("SimConnect.Close").size(), 1u);
    EXPECT_EQ(fake.journal.EntriesStartingWith("SimConnect.CallDispatch").size(), 0u);
    EXPECT_EQ(Transmissions(), 0u);
    EXPECT_EQ(fake.journal.EntriesStartingWith("Files.AppendLine SimConnect_Close failed on the PMDG link").size(), 1u);
}

TEST_F(PmdgSdkTest, OptionsFilesInFoldersThatCannotBeFoundAreSkipped) {
    const OptionsFile files[] = {{AppDataFolder::Roaming, "\\a.ini"}, {AppDataFolder::Local, "\\b.ini"}};
    fake.files.WriteFile("C:\\Users\\pilot\\AppData\\Local\\b.ini", "[SDK]\r\nEnableDataBroadcast=0\r\n");
    fake.files.localAppDataFolder.reset();
    EXPECT_FALSE(EnableDataBroadcast(fake.server, files));
    fake.files.localAppDataFolder = "C:\\Users\\pilot\\AppData\\Local";
    EXPECT_TRUE(EnableDataBroadcast(fake.server, files)) << "a.ini does not exist; b.ini was off";
    EXPECT_FALSE(EnableDataBroadcast(fake.server, files));
}

}  // namespace
}  // namespace tarvo::adapters::pmdg
