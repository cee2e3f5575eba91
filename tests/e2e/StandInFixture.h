// A test with the simulator and crew stand-ins running, each writing its trace.
#pragma once

#include "Harness.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

namespace tarvo::e2e {

class StandInFixture : public ::testing::Test {
protected:
    explicit StandInFixture(const std::string& name)
        : simTrace(TraceFolder() + "\\" + name + "-sim.jsonl"),
          crewTrace(TraceFolder() + "\\" + name + "-crew.jsonl") {}

    void SetUp() override {
        ::DeleteFileA(LogPath().c_str());
        simulator = StartSimulator(simTrace);
        ASSERT_TRUE(simulator.IsValid()) << "the simulator stand-in did not start: " << simulator.error();
        crew = StartCrew(crewTrace);
        ASSERT_TRUE(crew.IsValid()) << "the crew stand-in did not start: " << crew.error();
    }

    // Starts the server beside our SimConnect.dll and waits for its main loop; the bound is
    // generous because a loaded machine can take many seconds to start a Wine process.
    void StartServer() {
        server = StartServerWithSimConnect("2970");
        ASSERT_TRUE(server.IsValid()) << server.error();
        ASSERT_TRUE(WaitForLine(LogPath(), "About to enter main loop", 60000)) << "the server did not reach its loop";
    }

    // The words of the last WM_COPYDATA of this kind the crew app received.
    std::vector<long long> LastCopyDataWords(int kind) {
        std::vector<long long> words;
        const std::string marker = "\"kind\":" + std::to_string(kind) + ",";
        for (const std::string& line : ReadLines(crewTrace)) {
            if (line.find(marker) == std::string::npos) continue;
            words.clear();
            std::istringstream list(line.substr(line.find("\"words\":[") + 9));
            long long word;
            char separator;
            while (list >> word) {
                words.push_back(word);
                if (!(list >> separator) || separator != ',') break;
            }
        }
        return words;
    }

    const std::string simTrace;
    const std::string crewTrace;
    ChildProcess simulator;
    ChildProcess crew;
    ChildProcess server;
};

}  // namespace tarvo::e2e
