// Commands of the generic set that decide more than a table row can say:
// targets stepped against the current setting, autopilots, lights with
// per-aircraft handling, engine start, and the commands that start workers.
#pragma once

#include "adapters/generic/CommandTable.h"

#include <span>

namespace tarvo::adapters::generic {

// One step toward the crew app's target per command; the crew app repeats
// the command until the target is reached.
void HeadingTarget(const Command& command);
void AltitudeTarget(const Command& command);
void SpeedTarget(const Command& command);
void VerticalSpeedTarget(const Command& command);
void AltimeterSetting(const Command& command);

void Autopilot1(const Command& command);
void Autopilot2(const Command& command);
void Autopilot3(const Command& command);

void TaxiLight(const Command& command);
void LandingLights(const Command& command);

// Engine start and stop (the engine follows from the code).
void EngineStart(const Command& command);
// Engines 1 and 2: the fuel lever (mixture), with its fuel valves.
void EngineFuelLever(const Command& command);

// The A320's autobrake pushbuttons: the level (1 low, 2 medium, 3 max) armed,
// or 0 to disarm whichever is armed.
void A320Autobrake(const Command& command);
// Probe and window heat: the switch moved only when its light shows otherwise.
void A320ProbeHeat(const Command& command);
// The recorder test needs ground control on.
void RecorderTest(const Command& command);

// Workers (CommandWorkers.cpp).
void StartSequence(const Command& command, std::span<const SequenceStep> sequence);
void StartTransponderEntry(const Command& command);
void StartOxygenMaskTest(const Command& command);
void StartGroundServicesDiscovery(const Command& command);

// Aircraft 74's flap lever: codes 68776 to 68782 for its seven positions.
void Dc6Flaps(const Command& command);

}  // namespace tarvo::adapters::generic
