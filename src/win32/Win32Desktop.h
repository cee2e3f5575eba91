#pragma once

#include "platform/Desktop.h"

#include <map>
#include <string>

namespace tarvo::win32 {

class Win32Desktop final : public platform::Desktop {
public:
    std::int32_t ShowMessageBox(WindowId owner, std::string_view text, std::string_view caption,
                                std::uint32_t style) override;

    void EnumerateWindows(const std::function<bool(WindowId)>& visit) override;
    bool IsWindowVisible(WindowId window) override;
    std::optional<std::string> ClassName(WindowId window, std::size_t maxChars) override;
    std::optional<std::string> WindowTitle(WindowId window, std::size_t maxChars) override;
    WindowId FindTopLevelWindow(std::string_view className, std::string_view title) override;
    ProcessId WindowProcess(WindowId window) override;

    bool RegisterWindowClass(const platform::WindowClassDesc& desc,
                             platform::WindowProcedure& procedure) override;
    WindowId MakeWindow(const platform::WindowDesc& desc) override;
    void DestroyWindow(WindowId window) override;
    MessageResult DefaultProcedure(WindowId window, std::uint32_t message, WParam wParam,
                                   LParam lParam) override;
    bool SetLayeredColourKey(WindowId window, std::uint32_t colourKey) override;
    bool AllowMessage(WindowId window, std::uint32_t message) override;

    bool HasMessage(WindowId window) override;
    std::int32_t GetAndDispatchMessage() override;
    platform::Wake WaitForMessageOrEvent(EventId event, std::uint32_t timeoutMilliseconds) override;

    bool Post(WindowId window, std::uint32_t message, WParam wParam, LParam lParam) override;
    std::optional<MessageResult> SendCopyDataTimeout(WindowId to, WindowId from, std::uint64_t kind,
                                                     std::span<const std::uint8_t> bytes,
                                                     std::uint32_t timeoutMilliseconds) override;

    AtomId AddGlobalAtom(std::string_view text) override;
    std::optional<std::string> AtomText(AtomId atom, std::size_t maxChars) override;
    std::string ProgramString(std::uint32_t id, std::size_t maxChars) override;

    std::int16_t KeyState(std::uint8_t virtualKey) override;
    platform::KeyStates AllKeyStates() override;
    std::uint32_t ScanCode(std::uint8_t virtualKey) override;
    void SendKeyEvent(std::uint8_t virtualKey, std::uint8_t scanCode, std::uint32_t flags) override;

    void PlaceTopmost(WindowId window, std::int32_t x, std::int32_t y, std::int32_t width,
                      std::int32_t height) override;
    void DrawOverlayText(WindowId window, std::string_view text) override;
    void PaintBlack(WindowId window) override;
    void HideWindow(WindowId window) override;
    void UpdateWindow(WindowId window) override;

    platform::Rect ScreenRect() override;
    std::optional<platform::Rect> WindowRect(WindowId window) override;
    WindowId ForegroundWindow() override;
    bool SetForegroundWindow(WindowId window) override;

private:
    // Procedures by class name; a window finds its own from its creation parameters.
    std::map<std::string, platform::WindowProcedure*> procedures_;
};

// Turns a WM_COPYDATA lParam into a record the core can trust, or null when the
// pointer or its size is not usable.
const platform::CopyData* DecodeCopyData(std::uintptr_t copyDataStruct, platform::CopyData& storage);

}  // namespace tarvo::win32
