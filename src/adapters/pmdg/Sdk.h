// A PMDG aircraft's SDK link: the connection of its own, the areas the
// aircraft publishes its cockpit in, and the "#N" events it takes as mouse
// clicks. Shared by the 737 and the 777 adapters.
//
// The connection guard: every transmission goes through a Sender, which
// stands for the session it was made in. Nothing is sent once unloading
// begins, and a Sender of an earlier session sends nothing on a later
// connection; the transmissions, the pump and the close take one lock.
#pragma once

#include "adapters/pmdg/SdkState.h"
#include "host/Server.h"

#include <cstdint>
#include <span>
#include <string_view>

namespace tarvo::adapters::pmdg {

// One client data area of the aircraft: its name, our id and definition for
// it, its size. Both are requested on set, changed records only.
struct SdkArea {
    std::string_view name;
    std::uint32_t id = 0;
    std::uint32_t definition = 0;
    std::uint32_t size = 0;
};

inline constexpr std::uint32_t kDataRequest = 0;
inline constexpr std::uint32_t kControlRequest = 1;

// Opens the link's connection (no window, message or event); false when it
// could not be opened. A new session begins.
bool OpenConnection(Server& server, SdkLink& link, std::string_view clientName, std::uint32_t configIndex);
bool IsOpen(SdkLink& link);
// The link is already open and becomes usable again: a new session begins.
void ResumeSession(SdkLink& link);
// MapClientDataNameToID's result.
SIMCONNECT_HRESULT MapArea(Server& server, SdkLink& link, const SdkArea& area);
// Defines the whole area as one datum and requests it on set, changed only.
void RequestArea(Server& server, SdkLink& link, const SdkArea& area, std::uint32_t requestId);
// Maps each event as "#" and its number, with the number as its client id.
void MapEvents(Server& server, SdkLink& link, std::span<const std::uint32_t> events);

// One CallDispatch on the link. A data record (request 0) is stored, as far
// as it reaches, and then afterData runs; a control record (request 1) is kept.
void Pump(Server& server, SdkLink& link, void (*afterData)(Server&) = nullptr);

// Unloading begins: nothing is sent from now on and the knob worker stops.
void BeginUnload(SdkLink& link);
// Closes the connection if it is open and forgets its handle, also when the
// close reports a failure: a closed handle is done with either way.
void CloseConnection(Server& server, SdkLink& link);

// ---- Sending --------------------------------------------------------------

// The right to send on the link for as long as its session lasts.
struct Sender {
    Server* server = nullptr;
    SdkLink* link = nullptr;
    std::uint64_t session = 0;
};
Sender CurrentSender(Server& server, SdkLink& link);
// Whether the sender's session is still the usable one.
bool IsCurrent(const Sender& sender);

// Mouse flags of the simulator's gauge interface, sent as the event's data.
enum class Mouse : std::uint8_t { LeftClick, RightClick, LeftPress, LeftRelease, RightPress, RightRelease };
enum class Button : std::uint8_t { Left, Right };

inline constexpr std::uint32_t kLeftDown = 0x20000000;
inline constexpr std::uint32_t kLeftUp = 0x00020000;
inline constexpr std::uint32_t kRightDown = 0x80000000;
inline constexpr std::uint32_t kRightUp = 0x00080000;

// Transmits event #n with these mouse flags (a click is down, then up); false
// when the sender may not send.
bool Send(const Sender& sender, std::uint32_t event, Mouse mouse);
inline bool Click(const Sender& sender, std::uint32_t event, Button button) {
    return Send(sender, event, button == Button::Left ? Mouse::LeftClick : Mouse::RightClick);
}
inline Button Other(Button button) {
    return button == Button::Left ? Button::Right : Button::Left;
}

// ---- The data block ---------------------------------------------------------

// Fields of the last data record by byte offset; 0 past its end.
std::uint8_t Byte(const SdkLink& link, std::size_t offset);
std::uint16_t U16(const SdkLink& link, std::size_t offset);
std::int16_t I16(const SdkLink& link, std::size_t offset);
std::uint32_t U32(const SdkLink& link, std::size_t offset);
float F32(const SdkLink& link, std::size_t offset);
// Stores a data record's bytes from the start of the block, as far as they reach.
void StoreBlock(SdkLink& link, std::span<const std::uint8_t> bytes);

}  // namespace tarvo::adapters::pmdg
