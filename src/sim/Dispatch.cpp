#include "sim/Dispatch.h"

#include "base/Convert.h"
#include "base/Names.h"
#include "base/Text.h"
#include "link/Messages.h"
#include "link/Overlay.h"
#include "sim/Session.h"
#include "sim/SessionState.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>

namespace tarvo::sim {
namespace {

constexpr int kFramesPerAverage = 15;
constexpr double kDegreesPerRadian = 57.29577951308232;

// A fixed-size record read out of a message that may be shorter than it.
template <typename T>
bool ReadRecord(const SIMCONNECT_RECV* data, std::uint32_t size, T& record) {
    if (size < sizeof(T)) return false;
    std::memcpy(&record, data, sizeof(T));
    return true;
}

// Copies text into a fixed buffer, cut to fit and always terminated.
template <std::size_t N>
void CopyTerminated(std::array<char, N>& buffer, const char* text, std::size_t length) {
    buffer.fill(0);
    std::memcpy(buffer.data(), text, std::min(length, N - 1));
}

// Copies a data record's payload into its buffer, only as far as the record goes.
void StorePayload(Record& record, const SIMCONNECT_RECV* data, std::uint32_t size) {
    const auto* payload = reinterpret_cast<const std::uint8_t*>(data) + kSimConnectDataOffset;
    std::memcpy(record.bytes.data(), payload, std::min<std::size_t>(size - kSimConnectDataOffset, record.bytes.size()));
}

void OnEvent(Server& server, const SIMCONNECT_RECV_EVENT& event) {
    SessionState& session = server.session;
    const auto postToCrew = [&](std::uint32_t message) {
        server.ports.desktop.Post(server.host.crewWindow, message, 0, 0);
    };
    switch (event.uEventID) {
        case kEventSim:
            if (event.dwData == 0 && session.simulationStopped == 0) {
                postToCrew(link::kMsgSimulationStopped);
                session.simulationStopped = 1;
            } else if (event.dwData != 0 && session.simulationStopped != 0) {
                postToCrew(link::kMsgSimulationRunning);
                session.simulationStopped = 0;
            }
            RequestAircraftIdentity(server);
            break;
        case kEventPositionChanged:
            postToCrew(link::kMsgSimulationRunning);
            break;
        case 0:
            break;
        default:
            server.adapters.table.ForwardSimEvent(server, event.uEventID, event.dwData, 0);
            break;
    }
}

void OnFileName(Server& server, const SIMCONNECT_RECV* data, std::uint32_t size) {
    SIMCONNECT_RECV_EVENT event;
    if (!ReadRecord(data, size, event)) return;
    // The name ends at its terminator, the end of its field, or the end of the message.
    const auto* name = reinterpret_cast<const char*>(data) + offsetof(SIMCONNECT_RECV_EVENT_FILENAME, szFileName);
    const std::size_t room = std::min<std::size_t>(size - sizeof(SIMCONNECT_RECV_EVENT), SIMCONNECT_MAX_PATH);
    const std::string_view fileName(name, ::strnlen(name, room));
    if (event.uEventID == kEventAircraftLoaded) {
        if (ContainsIgnoreCase(fileName, "FNXA32")) server.adapters.fenixFlag = true;
    } else if (event.uEventID == kEventFlightPlan) {
        CopyTerminated(server.session.flightPlanPath, fileName.data(), fileName.size());
    }
}

void OnFrame(Server& server, const SIMCONNECT_RECV_EVENT_FRAME& frame) {
    SessionState& session = server.session;
    session.frameRateSum += frame.fFrameRate;
    session.simulationRate = frame.fSimSpeed;
    if (++session.frameCount < kFramesPerAverage) return;
    session.frameCount = 0;
    session.averageFrameRate = session.frameRateSum / kFramesPerAverage;
    session.frameRateSum = 0;

    if (server.link.overlayVisible) return;  // a timed line is showing
    if (!server.host.positionLine) {
        link::ShowOverlayText(server, "   ", 0, true);
        return;
    }
    const Record& position = session.records[kPositionRecord];
    link::ShowOverlayText(server,
                          PositionLine(session.averageFrameRate, position.Float64(0), position.Float64(1),
                                       session.records[kFlightRecord].Int32(4), position.Float64(12),
                                       session.simulationRate),
                          0, true);
}

void OnObjectData(Server& server, const SIMCONNECT_RECV* data, std::uint32_t size) {
    SIMCONNECT_RECV_SIMOBJECT_DATA header;
    if (size < kSimConnectDataOffset) return;
    std::memcpy(&header, data, kSimConnectDataOffset);
    const std::uint32_t request = header.dwRequestID;
    if (request >= kRecordCount || request == kIdentityStrings || request == kDesignRecord) return;

    StorePayload(server.session.records[request], data, size);

    if (request == kFuelRecord) {
        // The fuel record doubles as the heartbeat check on the crew app.
        server.host.crewWindow = server.ports.desktop.FindTopLevelWindow(kCrewWindowClass, kCrewWindowTitle);
        if (server.host.crewWindow == 0) {
            server.ports.desktop.Post(server.host.linkWindow, link::kMsgCrewLeaving, 0, 0);
        }
    }
}

void OnIdentityStrings(Server& server, const SIMCONNECT_RECV* data, std::uint32_t size) {
    auto* record = const_cast<SIMCONNECT_RECV*>(data);
    const char* texts[5] = {};
    std::uint32_t sizes[5] = {};
    auto* next = reinterpret_cast<std::uint8_t*>(record) + kSimConnectDataOffset;
    for (int i = 0; i < 5; ++i) {
        char* text = nullptr;
        std::uint32_t used = 0;
        // All five or none: a failed string keeps every old value.
        if (server.ports.simConnect.RetrieveString(record, size, next, &text, &used) < 0 || text == nullptr) return;
        texts[i] = text;
        sizes[i] = used;
        next += used;
    }
    IdentityStrings& identity = server.session.identity;
    const auto lengthOf = [&](int i) { return ::strnlen(texts[i], sizes[i]); };
    CopyTerminated(identity.title, texts[0], lengthOf(0));
    CopyTerminated(identity.airline, texts[1], lengthOf(1));
    CopyTerminated(identity.flightNumber, texts[2], lengthOf(2));
    CopyTerminated(identity.model, texts[3], lengthOf(3));
    CopyTerminated(identity.tailNumber, texts[4], lengthOf(4));
}

void OnObjectDataByType(Server& server, const SIMCONNECT_RECV* data, std::uint32_t size) {
    if (size < kSimConnectDataOffset) return;
    std::uint32_t request = 0;
    std::memcpy(&request, reinterpret_cast<const std::uint8_t*>(data) + offsetof(SIMCONNECT_RECV_SIMOBJECT_DATA, dwRequestID),
                sizeof(request));
    if (request == kDesignRecord) {
        StorePayload(server.session.records[kDesignRecord], data, size);
    } else if (request == kIdentityStrings) {
        OnIdentityStrings(server, data, size);
    }
}

}  // namespace

std::string PositionLine(double averageFrameRate, double latitudeRadians, double longitudeRadians,
                         std::int32_t altitudeFeet, double gForce, double simulationRate) {
    const double latitude = latitudeRadians * kDegreesPerRadian;
    const double longitude = longitudeRadians * kDegreesPerRadian;
    // The simulator's doubles may be anything, NaN included.
    const int latitudeDegrees = TruncateToInt32(latitude);
    const int longitudeDegrees = TruncateToInt32(longitude);
    char line[256];
    // "\xB0" is the degree sign of code page 1252.
    std::snprintf(line, sizeof(line),
                  "FPS : %.1f    LAT: %c%d\xB0 %.1f'    LON: %c%d\xB0 %.1f'    ALT: %d    %c %.1f Gs    Sim Rate: %.2f",
                  averageFrameRate, latitudeRadians >= 0.0 ? 'N' : 'S', latitudeDegrees,
                  (latitude - latitudeDegrees) * 60.0, longitudeRadians >= 0.0 ? 'E' : 'W', longitudeDegrees,
                  (longitude - longitudeDegrees) * 60.0, static_cast<int>(altitudeFeet), gForce >= 0.0 ? '+' : '-',
                  std::fabs(gForce), simulationRate);
    return line;
}

void DispatchProc(SIMCONNECT_RECV* data, std::uint32_t size, void* context) {
    if (context == nullptr || data == nullptr) return;
    Dispatch(*static_cast<Server*>(context), data, size);
}

void Dispatch(Server& server, const SIMCONNECT_RECV* data, std::uint32_t size) {
    link::CheckOverlayTimeout(server);
    SIMCONNECT_RECV header;
    if (!ReadRecord(data, size, header)) return;
    switch (header.dwID) {
        case SIMCONNECT_RECV_ID_QUIT:
            server.ports.desktop.Post(server.host.crewWindow, link::kMsgServerLeaving, 0, 0);
            server.host.crewWindow = 0;
            server.host.running = false;
            break;
        case SIMCONNECT_RECV_ID_EVENT: {
            SIMCONNECT_RECV_EVENT event;
            if (ReadRecord(data, size, event)) OnEvent(server, event);
            break;
        }
        case SIMCONNECT_RECV_ID_EVENT_FILENAME:
            OnFileName(server, data, size);
            break;
        case SIMCONNECT_RECV_ID_EVENT_FRAME: {
            SIMCONNECT_RECV_EVENT_FRAME frame;
            if (ReadRecord(data, size, frame)) OnFrame(server, frame);
            break;
        }
        case SIMCONNECT_RECV_ID_SIMOBJECT_DATA:
            OnObjectData(server, data, size);
            break;
        case SIMCONNECT_RECV_ID_SIMOBJECT_DATA_BYTYPE:
            OnObjectDataByType(server, data, size);
            break;
        default:
            // Exceptions, the open record and the rest need nothing.
            break;
    }
}

}  // namespace tarvo::sim
