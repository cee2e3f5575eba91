#include "fakes/FakeDesktop.h"

#include "resources/StringTable.h"

#include <algorithm>
#include <cstdio>

namespace tarvo::fakes {
namespace {

std::optional<std::string> Cut(const std::string& text, std::size_t maxChars) {
    if (text.empty()) return std::nullopt;
    return text.substr(0, maxChars);
}

std::string Hex(std::uint32_t value) {
    char text[16];
    std::snprintf(text, sizeof(text), "0x%08X", value);
    return text;
}

}  // namespace

std::int32_t FakeDesktop::ShowMessageBox(WindowId owner, std::string_view text, std::string_view caption,
                                         std::uint32_t style) {
    journal_.Add("Desktop.ShowMessageBox " + std::string(text));
    messageBoxes.push_back({owner, std::string(text), std::string(caption), style});
    return 1;  // IDOK
}

void FakeDesktop::EnumerateWindows(const std::function<bool(WindowId)>& visit) {
    journal_.Add("Desktop.EnumerateWindows");
    const std::vector<WindowId> order = order_;
    for (WindowId window : order) {
        if (!visit(window)) return;
    }
}

bool FakeDesktop::IsWindowVisible(WindowId window) {
    auto found = windows_.find(window);
    return found != windows_.end() && found->second.visible;
}

std::optional<std::string> FakeDesktop::ClassName(WindowId window, std::size_t maxChars) {
    auto found = windows_.find(window);
    if (found == windows_.end()) return std::nullopt;
    return Cut(found->second.className, maxChars);
}

std::optional<std::string> FakeDesktop::WindowTitle(WindowId window, std::size_t maxChars) {
    auto found = windows_.find(window);
    if (found == windows_.end()) return std::nullopt;
    return Cut(found->second.title, maxChars);
}

WindowId FakeDesktop::FindTopLevelWindow(std::string_view className, std::string_view title) {
    journal_.Add("Desktop.FindTopLevelWindow " + std::string(className) + "/" + std::string(title));
    for (WindowId window : order_) {
        const FakeWindow& w = windows_.at(window);
        if (w.className == className && w.title == title) return window;
    }
    return 0;
}

ProcessId FakeDesktop::WindowProcess(WindowId window) {
    auto found = windows_.find(window);
    return found == windows_.end() ? 0 : found->second.process;
}

bool FakeDesktop::RegisterWindowClass(const platform::WindowClassDesc& desc, platform::WindowProcedure& procedure) {
    journal_.Add("Desktop.RegisterWindowClass " + std::string(desc.className) + " style=" + Hex(desc.classStyle) +
                 " cursor=" + std::to_string(desc.cursorResource));
    classes_[std::string(desc.className)] = &procedure;
    return true;
}

WindowId FakeDesktop::MakeWindow(const platform::WindowDesc& desc) {
    journal_.Add("Desktop.MakeWindow " + std::string(desc.className) + "/" + std::string(desc.title) +
                 " exStyle=" + Hex(desc.exStyle) + " style=" + Hex(desc.style) + " at " + std::to_string(desc.x) + "," +
                 std::to_string(desc.y) + " size " + std::to_string(desc.width) + "x" + std::to_string(desc.height));
    if (failWindowCreation_) return 0;
    const WindowId id = nextWindow_++;
    MadeWindow& made = made_[id];
    made = {desc, std::string(desc.className), std::string(desc.title), nullptr, true};
    // The description's texts view the record's own copies, which stay where they are in the map.
    made.desc.className = made.className;
    made.desc.title = made.title;
    if (auto found = classes_.find(made.className); found != classes_.end()) made.procedure = found->second;
    // Windows sends WM_CREATE before CreateWindowEx returns.
    Deliver(id, platform::kWmCreate, 0, 0);
    return id;
}

void FakeDesktop::DestroyWindow(WindowId window) {
    journal_.Add("Desktop.DestroyWindow");
    if (auto found = made_.find(window); found != made_.end()) found->second.alive = false;
}

MessageResult FakeDesktop::DefaultProcedure(WindowId, std::uint32_t message, WParam, LParam) {
    journal_.Add("Desktop.DefaultProcedure " + std::to_string(message));
    return defaultResult;
}

bool FakeDesktop::SetLayeredColourKey(WindowId, std::uint32_t colourKey) {
    journal_.Add("Desktop.SetLayeredColourKey " + std::to_string(colourKey));
    return true;
}

bool FakeDesktop::AllowMessage(WindowId, std::uint32_t message) {
    allowedMessages.push_back(message);
    return true;
}

bool FakeDesktop::HasMessage(WindowId) {
    const std::lock_guard<std::mutex> lock(mutex_);
    return !queue_.empty();
}

std::int32_t FakeDesktop::GetAndDispatchMessage() {
    PostedMessage next;
    {
        const std::lock_guard<std::mutex> lock(mutex_);
        if (queue_.empty()) return 0;
        next = queue_.front();
        queue_.pop_front();
    }
    Deliver(next.window, next.message, next.wParam, next.lParam);
    return 1;
}

bool FakeDesktop::Post(WindowId window, std::uint32_t message, WParam wParam, LParam lParam) {
    journal_.Add("Desktop.Post " + std::to_string(message));
    if (window == 0) return false;
    const std::lock_guard<std::mutex> lock(mutex_);
    if (made_.contains(window)) {
        queue_.push_back({window, message, wParam, lParam});
    } else {
        posts.push_back({window, message, wParam, lParam});
    }
    return true;
}

std::optional<MessageResult> FakeDesktop::SendCopyDataTimeout(WindowId to, WindowId from, std::uint64_t kind,
                                                              std::span<const std::uint8_t> bytes,
                                                              std::uint32_t timeoutMilliseconds) {
    journal_.Add("Desktop.SendCopyData " + std::to_string(kind));
    copyData.push_back({to, from, kind, {bytes.begin(), bytes.end()}, timeoutMilliseconds});
    return copyDataReply;
}

AtomId FakeDesktop::AddGlobalAtom(std::string_view text) {
    for (const auto& [atom, existing] : atoms_) {
        if (existing == text) return atom;
    }
    atoms_[nextAtom_] = std::string(text);
    return nextAtom_++;
}

std::optional<std::string> FakeDesktop::AtomText(AtomId atom, std::size_t maxChars) {
    auto found = atoms_.find(atom);
    if (found == atoms_.end()) return std::nullopt;
    return found->second.substr(0, maxChars);
}

std::string FakeDesktop::ProgramString(std::uint32_t id, std::size_t maxChars) {
    const auto text = resources::ProgramString(id);
    return text ? std::string(text->substr(0, maxChars)) : std::string();
}

std::int16_t FakeDesktop::KeyState(std::uint8_t virtualKey) {
    const std::lock_guard<std::mutex> lock(mutex_);
    auto found = keys_.find(virtualKey);
    return found == keys_.end() ? 0 : found->second;
}

std::uint32_t FakeDesktop::ScanCode(std::uint8_t virtualKey) { return virtualKey + 0x100u; }

void FakeDesktop::SendKeyEvent(std::uint8_t virtualKey, std::uint8_t, std::uint32_t flags) {
    journal_.Add("Desktop.SendKeyEvent " + std::to_string(virtualKey) + " " + std::to_string(flags));
    keyEvents.push_back({virtualKey, flags});
}

void FakeDesktop::PlaceTopmost(WindowId, std::int32_t x, std::int32_t y, std::int32_t width, std::int32_t height) {
    journal_.Add("Desktop.PlaceTopmost " + std::to_string(x) + "," + std::to_string(y) + " " + std::to_string(width) +
                 "x" + std::to_string(height));
    overlayPlace = {x, y, x + width, y + height};
    overlayShown = true;
}

void FakeDesktop::DrawOverlayText(WindowId, std::string_view text) {
    journal_.Add("Desktop.DrawOverlayText " + std::string(text));
    overlayTexts.emplace_back(text);
}

void FakeDesktop::PaintBlack(WindowId) { journal_.Add("Desktop.PaintBlack"); }

void FakeDesktop::HideWindow(WindowId) {
    journal_.Add("Desktop.HideWindow");
    overlayShown = false;
}

void FakeDesktop::UpdateWindow(WindowId) { journal_.Add("Desktop.UpdateWindow"); }

platform::Rect FakeDesktop::ScreenRect() { return screen_; }

std::optional<platform::Rect> FakeDesktop::WindowRect(WindowId window) {
    auto found = windows_.find(window);
    if (found == windows_.end()) return std::nullopt;
    return found->second.rect;
}

WindowId FakeDesktop::ForegroundWindow() { return foreground_; }

bool FakeDesktop::SetForegroundWindow(WindowId window) {
    journal_.Add("Desktop.SetForegroundWindow");
    foreground_ = window;
    return true;
}

WindowId FakeDesktop::AddWindow(FakeWindow window) {
    const WindowId id = nextWindow_++;
    windows_[id] = std::move(window);
    order_.push_back(id);
    return id;
}

void FakeDesktop::RemoveWindow(WindowId window) {
    windows_.erase(window);
    order_.erase(std::remove(order_.begin(), order_.end(), window), order_.end());
}

void FakeDesktop::SetKeyState(std::uint8_t virtualKey, std::int16_t state) {
    const std::lock_guard<std::mutex> lock(mutex_);
    keys_[virtualKey] = state;
}

void FakeDesktop::SetForeground(WindowId window) { foreground_ = window; }

void FakeDesktop::SetScreen(platform::Rect screen) { screen_ = screen; }

MessageResult FakeDesktop::Deliver(WindowId window, std::uint32_t message, WParam wParam, LParam lParam,
                                   const platform::CopyData* copyData) {
    auto found = made_.find(window);
    if (found == made_.end() || found->second.procedure == nullptr) return 0;
    return found->second.procedure->OnMessage(window, message, wParam, lParam, copyData);
}

}  // namespace tarvo::fakes
