// The Windows desktop as the core uses it: message boxes, top-level windows, the
// link window and its message pump, messages and atoms to other processes, the
// program's string resources, the keyboard and window placement.
#pragma once

#include "platform/Types.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace tarvo::platform {

// A WM_COPYDATA record, already checked against its declared size.
struct CopyData {
    std::uint64_t kind = 0;  // dwData
    std::span<const std::uint8_t> bytes;
};

struct Rect {
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t right = 0;
    std::int32_t bottom = 0;
};

struct WindowClassDesc {
    std::string_view className;
    std::uint32_t classStyle = 0;
    std::uint16_t cursorResource = 0;  // the program's own cursor resource
};

struct WindowDesc {
    std::uint32_t exStyle = 0;
    std::string_view className;
    std::string_view title;
    std::uint32_t style = 0;
    std::int32_t x = 0;
    std::int32_t y = 0;
    std::int32_t width = 0;
    std::int32_t height = 0;
};

// The core's side of a window procedure. copyData is set only for a WM_COPYDATA
// whose record could be read; a malformed one arrives with copyData null.
class WindowProcedure {
public:
    virtual ~WindowProcedure() = default;
    virtual MessageResult OnMessage(WindowId window, std::uint32_t message, WParam wParam,
                                    LParam lParam, const CopyData* copyData) = 0;
};

// Message box styles.
inline constexpr std::uint32_t kMbOk = 0x00;
inline constexpr std::uint32_t kMbIconExclamation = 0x30;
inline constexpr std::uint32_t kMbIconInformation = 0x40;

// Window messages and styles, by their Windows values.
inline constexpr std::uint32_t kWmCreate = 1;
inline constexpr std::uint32_t kWmPaint = 15;
inline constexpr std::uint32_t kWmClose = 16;
inline constexpr std::uint32_t kWmCopyData = 74;
inline constexpr std::uint32_t kWmCommand = 273;

inline constexpr std::uint32_t kCsVRedraw = 0x0001;
inline constexpr std::uint32_t kCsHRedraw = 0x0002;
inline constexpr std::uint32_t kWsPopup = 0x80000000u;
inline constexpr std::uint32_t kWsExTopmost = 0x00000008;
inline constexpr std::uint32_t kWsExTransparent = 0x00000020;
inline constexpr std::uint32_t kWsExLayered = 0x00080000;
inline constexpr std::uint32_t kWsExNoActivate = 0x08000000;

using KeyStates = std::array<std::int16_t, 256>;

// What ended a wait on the message queue and an event.
enum class Wake { Event, Message, TimeOut, Failed };

class Desktop {
public:
    virtual ~Desktop() = default;

    // Blocks until the user answers; returns the button id.
    virtual std::int32_t ShowMessageBox(WindowId owner, std::string_view text,
                                        std::string_view caption, std::uint32_t style) = 0;

    // Top-level windows, in the system's order; visit returns false to stop.
    virtual void EnumerateWindows(const std::function<bool(WindowId)>& visit) = 0;
    virtual bool IsWindowVisible(WindowId window) = 0;
    // At most maxChars characters; nullopt when the text is empty or cannot be read.
    virtual std::optional<std::string> ClassName(WindowId window, std::size_t maxChars) = 0;
    virtual std::optional<std::string> WindowTitle(WindowId window, std::size_t maxChars) = 0;
    // Exact class and title (an empty class: any class); 0 when there is no such window.
    virtual WindowId FindTopLevelWindow(std::string_view className, std::string_view title) = 0;
    virtual ProcessId WindowProcess(WindowId window) = 0;

    // The link window. The procedure must outlive the window.
    virtual bool RegisterWindowClass(const WindowClassDesc& desc, WindowProcedure& procedure) = 0;
    virtual WindowId MakeWindow(const WindowDesc& desc) = 0;  // 0 on failure
    virtual void DestroyWindow(WindowId window) = 0;
    virtual MessageResult DefaultProcedure(WindowId window, std::uint32_t message, WParam wParam,
                                           LParam lParam) = 0;
    virtual bool SetLayeredColourKey(WindowId window, std::uint32_t colourKey) = 0;
    // Lets the message through the privilege-isolation filter of the window.
    virtual bool AllowMessage(WindowId window, std::uint32_t message) = 0;

    // The calling thread's message queue.
    virtual bool HasMessage(WindowId window) = 0;  // peeks without removing
    // Takes the next message and dispatches it unless the result is 0 or -1;
    // returns what GetMessage returned.
    virtual std::int32_t GetAndDispatchMessage() = 0;
    // Waits until the event is signalled (0: no event), a message comes for the
    // calling thread, posted or sent, or the time-out passes. Only a message that
    // came after the queue was last looked at ends the wait, so one left for
    // another window cannot keep waking it. Nothing is delivered here: a sent
    // message waits for the next look at the queue.
    virtual Wake WaitForMessageOrEvent(EventId event, std::uint32_t timeoutMilliseconds) = 0;

    // Messages to other windows.
    virtual bool Post(WindowId window, std::uint32_t message, WParam wParam, LParam lParam) = 0;
    // WM_COPYDATA with SMTO_ABORTIFHUNG and wParam = from. Returns the receiver's
    // result, or nullopt when the send failed or timed out.
    virtual std::optional<MessageResult> SendCopyDataTimeout(WindowId to, WindowId from, std::uint64_t kind,
                                              std::span<const std::uint8_t> bytes,
                                              std::uint32_t timeoutMilliseconds) = 0;

    // Global atoms; 0 when none could be added.
    virtual AtomId AddGlobalAtom(std::string_view text) = 0;
    // At most maxChars characters; nullopt when the atom cannot be read.
    virtual std::optional<std::string> AtomText(AtomId atom, std::size_t maxChars) = 0;

    // The program's own string resource; empty when there is none. At most maxChars.
    virtual std::string ProgramString(std::uint32_t id, std::size_t maxChars) = 0;

    // The keyboard.
    virtual std::int16_t KeyState(std::uint8_t virtualKey) = 0;
    // Every key's state, each as KeyState gives it, read in one call: the
    // keyboard watcher looks at several keys on each pass of the main loop.
    virtual KeyStates AllKeyStates() = 0;
    virtual std::uint32_t ScanCode(std::uint8_t virtualKey) = 0;
    virtual void SendKeyEvent(std::uint8_t virtualKey, std::uint8_t scanCode, std::uint32_t flags) = 0;

    // The overlay line drawn in the link window.
    // Moves the window to the top of the z-order and shows it without activating it.
    virtual void PlaceTopmost(WindowId window, std::int32_t x, std::int32_t y, std::int32_t width,
                              std::int32_t height) = 0;
    // Fills the client area with a black rounded rectangle and draws text twice:
    // at (1, 1) in grey 0x555555 and at (2, 2) in 0x7700FF, on a transparent background.
    virtual void DrawOverlayText(WindowId window, std::string_view text) = 0;
    // WM_PAINT: fills the client area with the stock black brush.
    virtual void PaintBlack(WindowId window) = 0;
    virtual void HideWindow(WindowId window) = 0;
    virtual void UpdateWindow(WindowId window) = 0;

    // Placement and focus.
    virtual Rect ScreenRect() = 0;
    virtual std::optional<Rect> WindowRect(WindowId window) = 0;
    virtual WindowId ForegroundWindow() = 0;
    virtual bool SetForegroundWindow(WindowId window) = 0;
};

}  // namespace tarvo::platform
