#include "adapters/generic/CommandActions.h"

#include "adapters/fenix/Fcu.h"
#include "adapters/generic/CommandPrimitives.h"
#include "bridge/WasmBridge.h"
#include "sim/SessionState.h"

#include <cstdlib>
#include <string>

namespace tarvo::adapters::generic {
namespace {

// Fields of the flight, position, systems, engine and autopilot records.
constexpr std::size_t kHeadingBugField = 17;            // flight: AUTOPILOT HEADING LOCK DIR
constexpr std::size_t kAltitudeTargetField = 18;        // flight: AUTOPILOT ALTITUDE LOCK VAR
constexpr std::size_t kAltimeterMillibarsField = 14;    // position: KOHLSMAN SETTING MB
constexpr std::uint8_t kYawDamperField = 8;             // systems
constexpr std::uint8_t kFirstLandingLightField = 10;    // systems: LIGHT LANDING:1
constexpr std::uint8_t kFirstTaxiLightField = 14;       // systems: LIGHT TAXI:1
constexpr std::uint8_t kFirstStarterField = 4;          // engines: GENERAL ENG STARTER:1
constexpr std::uint8_t kFirstEngineFuelValveField = 8;  // engines: GENERAL ENG FUEL VALVE:1
constexpr std::uint8_t kFirstValveSwitchField = 20;     // engines: FUELSYSTEM VALVE SWITCH:1
constexpr std::uint8_t kAutopilot2Field = 4;            // autopilot: AUTOPILOT MASTER:2
constexpr std::uint8_t kAutopilot3Field = 5;            // autopilot: AUTOPILOT MASTER:3

// Write-only definitions of the lights.
constexpr std::uint32_t kLandingLight1Definition = 14;
constexpr std::uint32_t kTaxiLight1Definition = 18;
constexpr std::uint32_t kTaxiLight3Definition = 20;

constexpr std::uint32_t kSwitchPause = 300;
constexpr std::uint32_t kFenixLightPause = 1;
constexpr std::uint32_t kAltitudeBigStep = 1000;
constexpr std::uint32_t kAltitudeSmallStep = 100;
constexpr std::uint32_t kMixtureRich = 16384;

std::int32_t FlightField(const Server& server, std::size_t field) {
    return server.session.records[sim::kFlightRecord].Int32(field);
}

bool IsAircraft(const Server& server, std::int32_t id) {
    return server.adapters.currentAircraftId == id;
}

// "TOGGLE_STARTER" and 2 give "TOGGLE_STARTER2".
std::string Numbered(std::string_view name, int engine) {
    return std::string(name) + std::to_string(engine);
}

}  // namespace

// ---- Targets ----------------------------------------------------------------------

void HeadingTarget(const Command& command) {
    Server& server = command.server;
    if (Serves(server, AircraftTest::A32nxEvents)) {
        SendEvent(server, "A32NX.FCU_HDG_SET", command.value);
        return;
    }
    const bool up = static_cast<std::int64_t>(command.value) >= FlightField(server, kHeadingBugField);
    SendEvent(server, up ? "HEADING_BUG_INC" : "HEADING_BUG_DEC", 1);
}

void AltitudeTarget(const Command& command) {
    Server& server = command.server;
    if (Serves(server, AircraftTest::A32nxEvents)) {
        SendEvent(server, "A32NX.FCU_ALT_SET", command.value);
        return;
    }
    const std::int64_t difference =
        static_cast<std::int64_t>(command.value) - FlightField(server, kAltitudeTargetField);
    if (difference == 0) return;
    const std::uint32_t step = std::llabs(difference) > kAltitudeBigStep ? kAltitudeBigStep : kAltitudeSmallStep;
    SendEvent(server, difference > 0 ? "AP_ALT_VAR_INC" : "AP_ALT_VAR_DEC", step);
}

void SpeedTarget(const Command& command) {
    Server& server = command.server;
    const bool a320Lvars = Serves(server, AircraftTest::A320) && server.adapters.a320LvarsFound;
    SendEvent(server, a320Lvars ? "A32NX.FCU_SPD_SET" : "AP_SPD_VAR_SET", command.value);
}

void VerticalSpeedTarget(const Command& command) {
    Server& server = command.server;
    if (Serves(server, AircraftTest::Fenix) && fenix::IsFcuFieldKnown(server, fenix::FcuField::VerticalSpeed) &&
        bridge::HasBridge(server)) {
        // The crew app's value is a signed number here: descents are negative.
        const std::int32_t wanted = static_cast<std::int32_t>(command.value);
        const std::int32_t current = fenix::ReadFcuInt32(server, fenix::FcuField::VerticalSpeed);
        // -1 is a failed read (the FCU shows hundreds); on target the knob stays.
        if (current == -1 || wanted == current) return;
        RunCalculatorCode(server, wanted > current ? "(L:E_FCU_VS, Number) ++ (>L:E_FCU_VS, Number)"
                                                   : "(L:E_FCU_VS, Number) -- (>L:E_FCU_VS, Number)");
        return;
    }
    if (Serves(server, AircraftTest::A32nxEvents)) {
        SendEvent(server, "A32NX.FCU_VS_SET", command.value);
        return;
    }
    SendEvent(server, "AP_VS_VAR_SET_ENGLISH", command.value);
}

void AltimeterSetting(const Command& command) {
    Server& server = command.server;
    if (!Serves(server, AircraftTest::Fenix)) {
        SendEvent(server, "KOHLSMAN_SET", command.value);
        return;
    }
    const double setting = server.session.records[sim::kPositionRecord].Float64(kAltimeterMillibarsField);
    const double wanted = static_cast<double>(command.value);
    if (wanted > setting) {
        SendEvent(server, "KOHLSMAN_INC", 1);
    } else if (wanted < setting) {
        SendEvent(server, "KOHLSMAN_DEC", 1);
    }
}

// ---- Autopilots --------------------------------------------------------------------

void Autopilot1(const Command& command) {
    Server& server = command.server;
    if (StateValue(server, {sim::kSystemsRecord, kYawDamperField}) == 0) {
        SendEvent(server, "YAW_DAMPER_TOGGLE", 1);
        server.ports.clock.Sleep(kSwitchPause);
    }
    if (Serves(server, AircraftTest::Boeing747)) {
        SetSlot(server, Slot::Autopilot1Light, command.value);
    } else if (Serves(server, AircraftTest::Fenix)) {
        Press(server, Slot::Autopilot1Button);
    } else {
        SendEvent(server, "AP_MASTER", command.value);
    }
}

void Autopilot2(const Command& command) {
    Server& server = command.server;
    if (Serves(server, AircraftTest::Boeing747)) {
        // The 747's second autopilot is its variable numbered 3, in this slot.
        SetSlot(server, Slot::Autopilot2Light, command.value);
        return;
    }
    if (Serves(server, AircraftTest::Fenix)) {
        Press(server, Slot::Autopilot2Button);
        return;
    }
    bool differs = false;
    if (Serves(server, AircraftTest::A32nx)) {
        const double engaged = ReadSlot(server, Slot::Autopilot2Light);
        differs = command.On() ? engaged == 0.0 : engaged > 0.0;
    } else {
        differs = Differs(server, {sim::kAutopilotRecord, kAutopilot2Field}, command.value);
    }
    if (differs) SendEvent(server, "AP_MASTER", 2);
}

void Autopilot3(const Command& command) {
    Server& server = command.server;
    if (Serves(server, AircraftTest::Boeing747)) {
        SetSlot(server, Slot::Autopilot3Light, command.value);
    } else if (Differs(server, {sim::kAutopilotRecord, kAutopilot3Field}, command.value)) {
        SendEvent(server, "AP_MASTER", 3);
    }
}

// ---- Lights -----------------------------------------------------------------------------

void TaxiLight(const Command& command) {
    Server& server = command.server;
    const double on = command.On() ? 1.0 : 0.0;
    if (IsAircraft(server, 30) || IsAircraft(server, 57)) {
        WriteDefinition(server, kTaxiLight3Definition, on);
    } else if (IsAircraft(server, 56)) {
        WriteDefinition(server, kTaxiLight1Definition, on);
    } else if (Serves(server, AircraftTest::Fenix)) {
        // The nose switch has three positions: 0 off, 1 taxi, 2 take-off.
        SetSlot(server, Slot::NoseLightSwitch, command.value);
    } else if (IsAircraft(server, 58)) {
        // The A320neo's nose switch: 2 take-off (a landing light), 1 taxi, 0 off.
        if (command.value > 2) return;
        WriteDefinition(server, kLandingLight1Definition, command.value == 2 ? 1.0 : 0.0);
        if (command.value == 2) return;
        server.ports.clock.Sleep(kSwitchPause);
        WriteDefinition(server, kTaxiLight1Definition, on);
    } else if (Differs(server, {sim::kSystemsRecord, kFirstTaxiLightField}, command.value)) {
        SendEvent(server, "TOGGLE_TAXI_LIGHTS", command.value);
    }
}

void LandingLights(const Command& command) {
    Server& server = command.server;
    if (Serves(server, AircraftTest::Fenix)) {
        if (!bridge::HasBridge(server)) return;
        const double position = command.On() ? 2.0 : 0.0;
        SetSlot(server, Slot::LandingLightLeftSwitch, position);
        server.ports.clock.Sleep(kFenixLightPause);
        SetSlot(server, Slot::LandingLightRightSwitch, position);
        server.ports.clock.Sleep(kFenixLightPause);
        SetSlot(server, Slot::NoseLightSwitch, position);
        return;
    }
    if (IsAircraft(server, 30) || IsAircraft(server, 57)) {
        const double on = command.On() ? 1.0 : 0.0;
        for (std::uint32_t light = 0; light < 4; ++light) {
            if (light > 0) server.ports.clock.Sleep(kSwitchPause);
            WriteDefinition(server, kLandingLight1Definition + light, on);
        }
        return;
    }
    if (Differs(server, {sim::kSystemsRecord, kFirstLandingLightField}, command.value)) {
        SendEvent(server, "LANDING_LIGHTS_TOGGLE", command.value);
    }
}

// ---- Engines ------------------------------------------------------------------------------

namespace {

// The steps an engine start or stop is made of, for engine 1 to 4.
class EngineSteps {
public:
    EngineSteps(const Command& command, int engine) : command_(command), server_(command.server), engine_(engine) {}

    // The simulator's fuel system valve numbered like the engine.
    void SystemValve() {
        Next();
        if (Differs(server_, Engines(kFirstValveSwitchField), command_.value)) {
            SendEvent(server_, "FUELSYSTEM_VALVE_TOGGLE", static_cast<std::uint32_t>(engine_));
        }
    }
    void Starter() {
        Next();
        if (Differs(server_, Engines(kFirstStarterField), command_.value)) {
            SendEvent(server_, Numbered("TOGGLE_STARTER", engine_), command_.value);
        }
    }
    void MixtureRich() {
        if (!command_.On()) return;
        Next();
        SendEvent(server_, Numbered("MIXTURE", engine_) + "_RICH", 1);
    }
    void Ignition() {
        Next();
        SendEvent(server_, Numbered("TURBINE_IGNITION_SWITCH_SET", engine_), command_.value);
    }
    // Opened for a start, closed for a stop, only when it is not already so.
    void EngineFuelValve() {
        Next();
        if (Differs(server_, Engines(kFirstEngineFuelValveField), command_.value)) {
            SendEvent(server_, Numbered("TOGGLE_FUEL_VALVE_ENG", engine_), command_.On() ? 1 : 0);
        }
    }
    void Mixture(std::uint32_t position) {
        Next();
        SendEvent(server_, Numbered("MIXTURE", engine_) + "_SET", position);
    }

private:
    StateField Engines(std::uint8_t firstField) const {
        return {sim::kEngineRecord, static_cast<std::uint8_t>(firstField + engine_ - 1)};
    }
    // Steps follow each other kSwitchPause apart.
    void Next() {
        if (started_) server_.ports.clock.Sleep(kSwitchPause);
        started_ = true;
    }

    const Command& command_;
    Server& server_;
    const int engine_;
    bool started_ = false;
};

int EngineOfStart(std::uint32_t code) {
    constexpr std::uint32_t kFirstStart = 65932;     // then every 6 codes
    constexpr std::uint32_t kFirstStartAlt = 66300;  // then one code per engine
    return code >= kFirstStartAlt ? static_cast<int>(code - kFirstStartAlt) + 1
                                  : static_cast<int>(code - kFirstStart) / 6 + 1;
}

}  // namespace

void EngineStart(const Command& command) {
    Server& server = command.server;
    const int engine = EngineOfStart(command.code);
    EngineSteps steps(command, engine);
    if (engine > 2) {
        SendEvent(server, Numbered("TURBINE_IGNITION_SWITCH_SET", engine), 1);
        server.ports.clock.Sleep(kSwitchPause);
        SendEvent(server, Numbered("TOGGLE_STARTER", engine), command.value);
        return;
    }
    switch (server.adapters.currentAircraftId) {
        case 58:  // the A320s: mode selector to ignition, then the engine master
            steps.Ignition();
            steps.EngineFuelValve();
            return;
        case 59:  // the CJ4: starter, then the fuel
            steps.Starter();
            steps.EngineFuelValve();
            return;
        case 60:  // a piston engine: fuel, mixture, starter
            steps.SystemValve();
            steps.MixtureRich();
            steps.Starter();
            return;
        case 31:
        case 61:  // turboprops: ignition, starter, fuel
            steps.Ignition();
            steps.Starter();
            steps.EngineFuelValve();
            return;
        default:
            steps.SystemValve();
            steps.Starter();
            steps.MixtureRich();
            steps.Ignition();
            steps.EngineFuelValve();
            return;
    }
}

void EngineFuelLever(const Command& command) {
    constexpr std::uint32_t kFirstLever = 65919;
    EngineSteps steps(command, static_cast<int>(command.code - kFirstLever) + 1);
    steps.Mixture(command.On() ? kMixtureRich : 0);
    steps.SystemValve();
    steps.EngineFuelValve();
}

// ---- Panels ---------------------------------------------------------------------------------

void A320Autobrake(const Command& command) {
    struct Level {
        Slot button;
        Slot light;
    };
    static constexpr Level kLevels[] = {
        {Slot::AutobrakeLowButton, Slot::AutobrakeLowLight},
        {Slot::AutobrakeMediumButton, Slot::AutobrakeMediumLight},
        {Slot::AutobrakeMaxButton, Slot::AutobrakeMaxLight},
    };
    Server& server = command.server;
    if (!bridge::HasBridge(server) || command.value > std::size(kLevels)) return;
    if (command.value == 0) {
        // Pushing the armed level's button disarms it.
        for (const Level& level : kLevels) {
            if (ReadSlot(server, level.light) > 0.0) Press(server, level.button);
        }
        return;
    }
    const Level& level = kLevels[command.value - 1];
    if (ReadSlot(server, level.light) == 0.0) Press(server, level.button);
}

void A320ProbeHeat(const Command& command) {
    Server& server = command.server;
    if (!bridge::HasBridge(server)) return;
    const bool lit = ReadSlot(server, Slot::ProbeWindowHeatLight) > 0.0;
    if (lit != command.On()) SetSlot(server, Slot::ProbeWindowHeatSwitch, command.value);
}

void RecorderTest(const Command& command) {
    Server& server = command.server;
    if (!bridge::HasBridge(server)) return;
    if (Serves(server, AircraftTest::Fenix)) {
        if (ReadSlot(server, Slot::RecorderGroundControlLight) == 0.0) Press(server, Slot::RecorderGroundControlSwitch);
    } else if (ReadSlot(server, Slot::RecorderGroundControlSwitch) == 0.0) {
        SetSlot(server, Slot::RecorderGroundControlSwitch, 1.0);
    }
    server.ports.clock.Sleep(kSwitchPause);
    SetSlot(server, Slot::RecorderTestButton, command.value);
}

void Dc6Flaps(const Command& command) {
    constexpr std::uint32_t kFirstFlapCode = 68776;
    // The simulator's flap lever for each of the seven positions, 0 to 16383.
    static constexpr std::uint32_t kLeverPositions[] = {0, 2735, 5455, 8191, 10927, 13597, 16383};
    if (command.code < kFirstFlapCode || command.code >= kFirstFlapCode + std::size(kLeverPositions)) return;
    const std::uint32_t position = command.code - kFirstFlapCode;
    RunCalculatorCode(command.server, std::to_string(position) + " (>L:dc6_419_obj)");
    SendEvent(command.server, "FLAPS_SET", kLeverPositions[position]);
}

}  // namespace tarvo::adapters::generic
