// The floor of the whole-program benchmark: a bare window with a 30 ms timer
// that does nothing on its ticks. No game can cost less than this.
#include <windows.h>

namespace {

LRESULT CALLBACK FloorProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_TIMER:
        return 0;
    case WM_DESTROY:
        KillTimer(window, 1);
        PostQuitMessage(0);
        return 0;
    default:
        return DefWindowProcW(window, message, wParam, lParam);
    }
}

} // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int show) {
    WNDCLASSW windowClass = {};
    windowClass.lpfnWndProc = FloorProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
    windowClass.lpszClassName = L"CorvantaFloor";
    RegisterClassW(&windowClass);
    HWND window = CreateWindowW(L"CorvantaFloor", L"Corvanta floor", WS_OVERLAPPEDWINDOW, 100, 100,
                                644, 509, nullptr, nullptr, instance, nullptr);
    ShowWindow(window, show);
    SetTimer(window, 1, 30, nullptr);
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return 0;
}
