// A server whose simulator is a simulated world in the same process, with its
// session open the way start-up opens it.
#pragma once

#include "fakes/FakeServer.h"
#include "sim/Dispatch.h"
#include "simworld/InProcessSimConnect.h"
#include "simworld/SimWorld.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tarvo::sim {

struct SimFixture : ::testing::Test {
    SimFixture() {
        api.SetTrace([this](const simworld::TraceEntry& entry) { trace.push_back(entry); });
        fake.files.MakeFolder(fakes::kFakeCrewFolder);
        fake.server.host.crewWindow = crewWindow;
        fake.server.host.linkWindow = linkWindow;
        api.Open(&fake.server.host.session, "ZULtoMSFS", 0, 0, 0, 0);
    }

    // Hands every waiting record to the dispatch procedure, as the main loop does.
    void Pump() {
        for (int guard = 0; guard < 10000 && api.Pending(fake.server.host.session) > 0; ++guard) {
            api.CallDispatch(fake.server.host.session, DispatchProc, &fake.server);
        }
    }

    // Calls the server made (not records sent), rendered "Function [args]".
    std::vector<std::string> Calls() const {
        std::vector<std::string> calls;
        for (const auto& entry : trace) {
            // The main loop's own plumbing is not what a test asks about.
            if (entry.direction != "call" || entry.function == "Open" || entry.function == "CallDispatch" ||
                entry.function == "GetNextDispatch" || entry.function == "RetrieveString") {
                continue;
            }
            std::string args;
            for (const auto& arg : entry.arguments) args += (args.empty() ? "" : ",") + arg;
            calls.push_back(entry.function + " [" + args + "]");
        }
        return calls;
    }

    std::vector<fakes::PostedMessage> PostsTo(WindowId window) const {
        std::vector<fakes::PostedMessage> posts;
        for (const auto& post : fake.desktop.posts) {
            if (post.window == window) posts.push_back(post);
        }
        return posts;
    }

    simworld::SimWorld world;
    simworld::InProcessSimConnect api{world};
    std::vector<simworld::TraceEntry> trace;
    fakes::FakeServer fake{&api};
    // The crew app's window exists, so the fuel record's heartbeat check finds it.
    const WindowId crewWindow = fake.desktop.AddWindow({"CSpeaker", "Zulcrest", true, 9});
    const WindowId linkWindow = 0x502;
};

}  // namespace tarvo::sim
