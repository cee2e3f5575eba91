// A desktop of top-level windows the test lays out, a link window whose
// procedure the test can call, a message queue, atoms, the program's real
// strings, and a keyboard the test presses. Everything sent out is recorded.
#pragma once

#include "fakes/Journal.h"
#include "platform/Desktop.h"

#include <deque>
#include <map>
#include <mutex>
#include <vector>

namespace tarvo::fakes {

struct FakeWindow {
    std::string className;
    std::string title;
    bool visible = true;
    ProcessId process = 0;
    platform::Rect rect{};
};

struct PostedMessage {
    WindowId window = 0;
    std::uint32_t message = 0;
    WParam wParam = 0;
    LParam lParam = 0;
    bool operator==(const PostedMessage&) const = default;
};

struct MessageBoxShown {
    WindowId owner = 0;
    std::string text;
    std::string caption;
    std::uint32_t style = 0;
    bool operator==(const MessageBoxShown&) const = default;
};

struct SentCopyData {
    WindowId to = 0;
    WindowId from = 0;
    std::uint64_t kind = 0;
    std::vector<std::uint8_t> bytes;
    std::uint32_t timeoutMilliseconds = 0;
};

class FakeDesktop final : public platform::Desktop {
public:
    explicit FakeDesktop(Journal& journal) : journal_(journal) {}

    std::int32_t ShowMessageBox(WindowId owner, std::string_view text, std::string_view caption,
                                std::uint32_t style) override;
    void EnumerateWindows(const std::function<bool(WindowId)>& visit) override;
    bool IsWindowVisible(WindowId window) override;
    std::optional<std::string> ClassName(WindowId window, std::size_t maxChars) override;
    std::optional<std::string> WindowTitle(WindowId window, std::size_t maxChars) override;
    WindowId FindTopLevelWindow(std::string_view className, std::string_view title) override;
    ProcessId WindowProcess(WindowId window) override;
    bool RegisterWindowClass(const platform::WindowClassDesc& desc, platform::WindowProcedure& procedure) override;
    WindowId MakeWindow(const platform::WindowDesc& desc) override;
    void DestroyWindow(WindowId window) override;
    MessageResult DefaultProcedure(WindowId window, std::uint32_t message, WParam wParam, LParam lParam) override;
    bool SetLayeredColourKey(WindowId window, std::uint32_t colourKey) override;
    bool AllowMessage(WindowId window, std::uint32_t message) override;
    bool HasMessage(WindowId window) override;
    std::int32_t GetAndDispatchMessage() override;
    bool Post(WindowId window, std::uint32_t message, WParam wParam, LParam lParam) override;
    std::optional<MessageResult> SendCopyDataTimeout(WindowId to, WindowId from, std::uint64_t kind,
                                                     std::span<const std::uint8_t> bytes,
                                                     std::uint32_t timeoutMilliseconds) override;
    AtomId AddGlobalAtom(std::string_view text) override;
    std::optional<std::string> AtomText(AtomId atom, std::size_t maxChars) override;
    std::string ProgramString(std::uint32_t id, std::size_t maxChars) override;
    std::int16_t KeyState(std::uint8_t virtualKey) override;
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

    // Scenario controls.
    WindowId AddWindow(FakeWindow window);
    void RemoveWindow(WindowId window);
    void SetKeyState(std::uint8_t virtualKey, std::int16_t state);
    void SetForeground(WindowId window);
    void SetScreen(platform::Rect screen);
    void FailWindowCreation() { failWindowCreation_ = true; }
    // Calls the registered procedure of a window made by MakeWindow, as Windows would.
    MessageResult Deliver(WindowId window, std::uint32_t message, WParam wParam, LParam lParam,
                          const platform::CopyData* copyData = nullptr);

    // What the core did.
    std::vector<MessageBoxShown> messageBoxes;
    std::vector<PostedMessage> posts;  // to windows other than those made by MakeWindow
    std::vector<SentCopyData> copyData;
    std::vector<std::uint32_t> allowedMessages;
    struct KeyEvent {
        std::uint8_t virtualKey;
        std::uint32_t flags;
        bool operator==(const KeyEvent&) const = default;
    };
    std::vector<KeyEvent> keyEvents;
    std::optional<MessageResult> copyDataReply = 1;  // what a SendCopyDataTimeout returns
    // What the default window procedure returns here, so tests can tell it ran.
    MessageResult defaultResult = 0;
    // The overlay as drawn: where the window was last placed, the last text drawn.
    platform::Rect overlayPlace{};
    std::vector<std::string> overlayTexts;
    bool overlayShown = false;

private:
    struct MadeWindow {
        platform::WindowDesc desc;
        std::string className;
        std::string title;
        platform::WindowProcedure* procedure = nullptr;
        bool alive = true;
    };

    Journal& journal_;
    std::mutex mutex_;
    std::map<WindowId, FakeWindow> windows_;
    std::vector<WindowId> order_;
    std::map<std::string, platform::WindowProcedure*> classes_;
    std::map<WindowId, MadeWindow> made_;
    std::deque<PostedMessage> queue_;
    std::map<AtomId, std::string> atoms_;
    std::map<std::uint8_t, std::int16_t> keys_;
    platform::Rect screen_{0, 0, 1920, 1080};
    WindowId foreground_ = 0;
    WindowId nextWindow_ = 0x1000;
    AtomId nextAtom_ = 0xC000;
    bool failWindowCreation_ = false;
};

}  // namespace tarvo::fakes
