// A top-level window of a given class and title in a process of its own: the
// simulator's main window, the crew app's window or its splash, for tests that
// need only the window to exist. It stays until closed or killed.
//   tarvo_window.exe CLASS TITLE [hidden] [x y width height]
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DESTROY) {
        ::PostQuitMessage(0);
        return 0;
    }
    return ::DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: tarvo_window CLASS TITLE [hidden] [x y width height]\n");
        return 2;
    }
    const std::string className = argv[1];
    const std::string title = argv[2];
    int next = 3;
    const bool hidden = argc > next && std::string(argv[next]) == "hidden";
    if (hidden) ++next;
    int x = 100, y = 50, width = 1600, height = 900;
    if (argc >= next + 4) {
        x = std::atoi(argv[next]);
        y = std::atoi(argv[next + 1]);
        width = std::atoi(argv[next + 2]);
        height = std::atoi(argv[next + 3]);
    }

    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = Procedure;
    windowClass.hInstance = ::GetModuleHandleA(nullptr);
    windowClass.lpszClassName = className.c_str();
    windowClass.hbrBackground = static_cast<HBRUSH>(::GetStockObject(GRAY_BRUSH));
    if (::RegisterClassA(&windowClass) == 0) return 1;
    HWND window = ::CreateWindowExA(0, className.c_str(), title.c_str(), WS_POPUP | WS_BORDER, x, y, width, height,
                                    nullptr, nullptr, windowClass.hInstance, nullptr);
    if (window == nullptr) return 1;
    if (!hidden) ::ShowWindow(window, SW_SHOWNOACTIVATE);

    MSG message;
    while (::GetMessageA(&message, nullptr, 0, 0) > 0) {
        ::TranslateMessage(&message);
        ::DispatchMessageA(&message);
    }
    return 0;
}
