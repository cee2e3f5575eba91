// The whole server: the ports it reaches the outside through and one state
// struct per subsystem. There are no globals; every function gets the Server
// (or the part it needs). Tests build a fresh one over fake ports. The state
// headers hold only data, so including this brings no other folder's functions.
#pragma once

#include "adapters/AdapterState.h"
#include "atc/AtcState.h"
#include "bridge/BridgeState.h"
#include "host/HostState.h"
#include "host/Log.h"
#include "host/WorkerThreads.h"
#include "link/LinkState.h"
#include "platform/Ports.h"
#include "sim/SessionState.h"
#include "sound/SoundState.h"

namespace tarvo {

struct Server {
    // Every thread the program starts goes through workers, which counts it;
    // the other ports are the outside ones.
    explicit Server(const platform::Ports& outside)
        : log(outside.files),
          workers(outside.threads, log),
          ports{outside.clock,  workers,       outside.desktop,   outside.files,
                outside.memory, outside.sound, outside.simConnect} {}
    Server(const Server&) = delete;
    Server& operator=(const Server&) = delete;

    host::Log log;
    host::WorkerThreads workers;
    platform::Ports ports;

    host::HostState host;
    link::LinkState link;
    atc::AtcState atc;
    sound::SoundState sound;
    sim::SessionState session;
    bridge::BridgeState bridge;
    adapters::AdapterState adapters;
};

// A worker thread's pause: the whole time, or less once the server is shutting
// down. Returns false when it is, so the thread can end instead of going on.
inline bool StoppablePause(Server& server, std::uint32_t milliseconds) {
    const EventId stop = server.host.stopEvent;
    if (stop == 0 || server.ports.threads.WaitEvent(stop, milliseconds) == platform::WaitResult::Failed) {
        server.ports.clock.Sleep(milliseconds);
    }
    return server.host.running;
}

}  // namespace tarvo
