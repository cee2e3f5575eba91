#include "win32/Win32Desktop.h"

#include "win32/Win32.h"

#include <vector>

namespace tarvo::win32 {
namespace {

LRESULT CALLBACK LinkWindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        const auto* create = reinterpret_cast<const CREATESTRUCTA*>(lParam);
        ::SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* procedure = reinterpret_cast<platform::WindowProcedure*>(::GetWindowLongPtrA(window, GWLP_USERDATA));
    if (procedure == nullptr) return ::DefWindowProcA(window, message, wParam, lParam);

    platform::CopyData storage;
    const platform::CopyData* copyData =
        message == WM_COPYDATA ? DecodeCopyData(static_cast<std::uintptr_t>(lParam), storage) : nullptr;
    try {
        return static_cast<LRESULT>(
            procedure->OnMessage(ToWindowId(window), message, wParam, lParam, copyData));
    } catch (...) {
        // No exception may unwind through the system's message dispatch.
        return ::DefWindowProcA(window, message, wParam, lParam);
    }
}

BOOL CALLBACK VisitWindow(HWND window, LPARAM visitor) {
    const auto& visit = *reinterpret_cast<const std::function<bool(WindowId)>*>(visitor);
    return visit(ToWindowId(window)) ? TRUE : FALSE;
}

std::optional<std::string> ReadText(int (*read)(HWND, LPSTR, int), HWND window, std::size_t maxChars) {
    std::vector<char> buffer(maxChars + 1, '\0');
    const int length = read(window, buffer.data(), static_cast<int>(buffer.size()));
    if (length <= 0) return std::nullopt;
    return std::string(buffer.data(), static_cast<std::size_t>(length));
}

int ReadClassName(HWND window, LPSTR buffer, int size) { return ::GetClassNameA(window, buffer, size); }
int ReadWindowTitle(HWND window, LPSTR buffer, int size) { return ::GetWindowTextA(window, buffer, size); }

platform::Rect FromRect(const RECT& rect) { return {rect.left, rect.top, rect.right, rect.bottom}; }

}  // namespace

const platform::CopyData* DecodeCopyData(std::uintptr_t copyDataStruct, platform::CopyData& storage) {
    const auto* record = reinterpret_cast<const COPYDATASTRUCT*>(copyDataStruct);
    if (record == nullptr) return nullptr;
    if (record->cbData != 0 && record->lpData == nullptr) return nullptr;
    storage.kind = record->dwData;
    storage.bytes = {static_cast<const std::uint8_t*>(record->lpData), record->cbData};
    return &storage;
}

std::int32_t Win32Desktop::ShowMessageBox(WindowId owner, std::string_view text, std::string_view caption,
                                          std::uint32_t style) {
    return ::MessageBoxA(ToHwnd(owner), std::string(text).c_str(), std::string(caption).c_str(), style);
}

void Win32Desktop::EnumerateWindows(const std::function<bool(WindowId)>& visit) {
    ::EnumWindows(VisitWindow, reinterpret_cast<LPARAM>(&visit));
}

bool Win32Desktop::IsWindowVisible(WindowId window) { return ::IsWindowVisible(ToHwnd(window)) != 0; }

std::optional<std::string> Win32Desktop::ClassName(WindowId window, std::size_t maxChars) {
    return ReadText(ReadClassName, ToHwnd(window), maxChars);
}

std::optional<std::string> Win32Desktop::WindowTitle(WindowId window, std::size_t maxChars) {
    return ReadText(ReadWindowTitle, ToHwnd(window), maxChars);
}

WindowId Win32Desktop::FindTopLevelWindow(std::string_view className, std::string_view title) {
    const std::string name(className);
    return ToWindowId(::FindWindowA(name.empty() ? nullptr : name.c_str(), std::string(title).c_str()));
}

ProcessId Win32Desktop::WindowProcess(WindowId window) {
    DWORD process = 0;
    ::GetWindowThreadProcessId(ToHwnd(window), &process);
    return process;
}

bool Win32Desktop::RegisterWindowClass(const platform::WindowClassDesc& desc,
                                       platform::WindowProcedure& procedure) {
    const std::string name(desc.className);
    HINSTANCE instance = ::GetModuleHandleA(nullptr);
    WNDCLASSA windowClass = {};
    windowClass.style = desc.classStyle;
    windowClass.lpfnWndProc = LinkWindowProcedure;
    windowClass.hInstance = instance;
    windowClass.hCursor = ::LoadCursorA(instance, MAKEINTRESOURCEA(desc.cursorResource));
    windowClass.lpszClassName = name.c_str();
    if (::RegisterClassA(&windowClass) == 0) return false;
    procedures_[name] = &procedure;
    return true;
}

WindowId Win32Desktop::MakeWindow(const platform::WindowDesc& desc) {
    const std::string className(desc.className);
    const auto procedure = procedures_.find(className);
    void* parameter = procedure == procedures_.end() ? nullptr : procedure->second;
    return ToWindowId(::CreateWindowExA(desc.exStyle, className.c_str(), std::string(desc.title).c_str(),
                                        desc.style, desc.x, desc.y, desc.width, desc.height, nullptr,
                                        nullptr, ::GetModuleHandleA(nullptr), parameter));
}

void Win32Desktop::DestroyWindow(WindowId window) { ::DestroyWindow(ToHwnd(window)); }

MessageResult Win32Desktop::DefaultProcedure(WindowId window, std::uint32_t message, WParam wParam,
                                             LParam lParam) {
    return ::DefWindowProcA(ToHwnd(window), message, static_cast<WPARAM>(wParam), static_cast<LPARAM>(lParam));
}

bool Win32Desktop::SetLayeredColourKey(WindowId window, std::uint32_t colourKey) {
    // The alpha value is ignored with LWA_COLORKEY alone.
    return ::SetLayeredWindowAttributes(ToHwnd(window), colourKey, 255, LWA_COLORKEY) != 0;
}

bool Win32Desktop::AllowMessage(WindowId window, std::uint32_t message) {
    return ::ChangeWindowMessageFilterEx(ToHwnd(window), message, MSGFLT_ALLOW, nullptr) != 0;
}

bool Win32Desktop::HasMessage(WindowId window) {
    MSG message;
    return ::PeekMessageA(&message, ToHwnd(window), 0, 0, PM_NOREMOVE) != 0;
}

std::int32_t Win32Desktop::GetAndDispatchMessage() {
    MSG message;
    const BOOL result = ::GetMessageA(&message, nullptr, 0, 0);
    if (result != 0 && result != -1) ::DispatchMessageA(&message);
    return result;
}

platform::Wake Win32Desktop::WaitForMessageOrEvent(EventId event, std::uint32_t timeoutMilliseconds) {
    HANDLE handle = ToHandle(event);
    const DWORD count = handle != nullptr ? 1 : 0;
    // Without MWMO_INPUTAVAILABLE only input that came since the last look counts.
    const DWORD result =
        ::MsgWaitForMultipleObjectsEx(count, count != 0 ? &handle : nullptr, timeoutMilliseconds, QS_ALLINPUT, 0);
    if (result == WAIT_TIMEOUT) return platform::Wake::TimeOut;
    if (result == WAIT_OBJECT_0 + count) return platform::Wake::Message;
    if (count != 0 && result == WAIT_OBJECT_0) return platform::Wake::Event;
    return platform::Wake::Failed;
}

bool Win32Desktop::Post(WindowId window, std::uint32_t message, WParam wParam, LParam lParam) {
    return ::PostMessageA(ToHwnd(window), message, static_cast<WPARAM>(wParam), static_cast<LPARAM>(lParam)) != 0;
}

std::optional<MessageResult> Win32Desktop::SendCopyDataTimeout(WindowId to, WindowId from, std::uint64_t kind,
                                                               std::span<const std::uint8_t> bytes,
                                                               std::uint32_t timeoutMilliseconds) {
    COPYDATASTRUCT record = {};
    record.dwData = static_cast<ULONG_PTR>(kind);
    record.cbData = static_cast<DWORD>(bytes.size());
    record.lpData = const_cast<std::uint8_t*>(bytes.data());
    DWORD_PTR result = 0;
    if (::SendMessageTimeoutA(ToHwnd(to), WM_COPYDATA, static_cast<WPARAM>(from),
                              reinterpret_cast<LPARAM>(&record), SMTO_ABORTIFHUNG, timeoutMilliseconds,
                              &result) == 0) {
        return std::nullopt;
    }
    return static_cast<MessageResult>(result);
}

AtomId Win32Desktop::AddGlobalAtom(std::string_view text) {
    return ::GlobalAddAtomA(std::string(text).c_str());
}

std::optional<std::string> Win32Desktop::AtomText(AtomId atom, std::size_t maxChars) {
    std::vector<char> buffer(maxChars + 1, '\0');
    const UINT length = ::GlobalGetAtomNameA(atom, buffer.data(), static_cast<int>(buffer.size()));
    if (length == 0) return std::nullopt;
    return std::string(buffer.data(), length);
}

std::string Win32Desktop::ProgramString(std::uint32_t id, std::size_t maxChars) {
    std::vector<char> buffer(maxChars + 1, '\0');
    const int length = ::LoadStringA(::GetModuleHandleA(nullptr), id, buffer.data(), static_cast<int>(buffer.size()));
    return length > 0 ? std::string(buffer.data(), static_cast<std::size_t>(length)) : std::string();
}

std::int16_t Win32Desktop::KeyState(std::uint8_t virtualKey) { return ::GetKeyState(virtualKey); }

platform::KeyStates Win32Desktop::AllKeyStates() {
    platform::KeyStates states{};
    BYTE bytes[256];
    if (!::GetKeyboardState(bytes)) {
        for (std::size_t key = 0; key < states.size(); ++key) states[key] = ::GetKeyState(static_cast<int>(key));
        return states;
    }
    // GetKeyState's form of the same state: a held key sets the whole high byte.
    for (std::size_t key = 0; key < states.size(); ++key) {
        auto state = static_cast<std::uint16_t>(bytes[key] & 0x81);
        if ((state & 0x80) != 0) state |= 0xFF00;
        states[key] = static_cast<std::int16_t>(state);
    }
    return states;
}

std::uint32_t Win32Desktop::ScanCode(std::uint8_t virtualKey) { return ::MapVirtualKeyA(virtualKey, 0); }

void Win32Desktop::SendKeyEvent(std::uint8_t virtualKey, std::uint8_t scanCode, std::uint32_t flags) {
    ::keybd_event(virtualKey, scanCode, flags, 0);
}

void Win32Desktop::PlaceTopmost(WindowId window, std::int32_t x, std::int32_t y, std::int32_t width,
                                std::int32_t height) {
    ::SetWindowPos(ToHwnd(window), HWND_TOPMOST, x, y, width, height, SWP_NOACTIVATE | SWP_SHOWWINDOW);
}

void Win32Desktop::DrawOverlayText(WindowId window, std::string_view text) {
    HWND hwnd = ToHwnd(window);
    HDC dc = ::GetDC(hwnd);
    if (dc == nullptr) return;
    RECT client;
    ::GetClientRect(hwnd, &client);
    // Black is the window's colour key, so only the two text layers stay visible.
    HBRUSH black = ::CreateSolidBrush(RGB(0, 0, 0));
    HGDIOBJ previous = ::SelectObject(dc, black);
    ::RoundRect(dc, client.left, client.top, client.right, client.bottom, 1, 1);
    ::SelectObject(dc, previous);
    ::DeleteObject(black);
    ::SetBkMode(dc, TRANSPARENT);
    const int length = static_cast<int>(text.size());
    ::SetTextColor(dc, RGB(0x55, 0x55, 0x55));
    ::TextOutA(dc, 1, 1, text.data(), length);
    ::SetTextColor(dc, RGB(0xFF, 0x00, 0x77));
    ::TextOutA(dc, 2, 2, text.data(), length);
    ::ReleaseDC(hwnd, dc);
}

void Win32Desktop::PaintBlack(WindowId window) {
    PAINTSTRUCT paint;
    HDC dc = ::BeginPaint(ToHwnd(window), &paint);
    ::FillRect(dc, &paint.rcPaint, static_cast<HBRUSH>(::GetStockObject(BLACK_BRUSH)));
    ::EndPaint(ToHwnd(window), &paint);
}

void Win32Desktop::HideWindow(WindowId window) { ::ShowWindow(ToHwnd(window), SW_HIDE); }

void Win32Desktop::UpdateWindow(WindowId window) { ::UpdateWindow(ToHwnd(window)); }

platform::Rect Win32Desktop::ScreenRect() {
    return {0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)};
}

std::optional<platform::Rect> Win32Desktop::WindowRect(WindowId window) {
    RECT rect;
    if (!::GetWindowRect(ToHwnd(window), &rect)) return std::nullopt;
    return FromRect(rect);
}

WindowId Win32Desktop::ForegroundWindow() { return ToWindowId(::GetForegroundWindow()); }

bool Win32Desktop::SetForegroundWindow(WindowId window) { return ::SetForegroundWindow(ToHwnd(window)) != 0; }

}  // namespace tarvo::win32
