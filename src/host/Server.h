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
#include "link/LinkState.h"
#include "platform/Ports.h"
#include "sim/SessionState.h"
#include "sound/SoundState.h"

namespace tarvo {

struct Server {
    explicit Server(const platform::Ports& outside) : ports(outside), log(outside.files) {}
    Server(const Server&) = delete;
    Server& operator=(const Server&) = delete;

    platform::Ports ports;
    host::Log log;

    host::HostState host;
    link::LinkState link;
    atc::AtcState atc;
    sound::SoundState sound;
    sim::SessionState session;
    bridge::BridgeState bridge;
    adapters::AdapterState adapters;
};

}  // namespace tarvo
