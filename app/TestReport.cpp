#include "app/TestReport.h"

#include <string>

namespace VeRize {

namespace {

HWND reportedWindow = nullptr;

void DescribeMenu(HMENU menu, const std::wstring &prefix, std::wstring &out, int &count) {
    const int items = GetMenuItemCount(menu);
    for (int i = 0; i < items; ++i) {
        wchar_t caption[256] = {};
        GetMenuStringW(menu, static_cast<UINT>(i), caption, 256, MF_BYPOSITION);
        const std::wstring path = prefix.empty() ? std::wstring(caption) : prefix + L"/" + caption;
        if (HMENU sub = GetSubMenu(menu, i)) {
            DescribeMenu(sub, path, out, count);
            continue;
        }
        const UINT state = GetMenuState(menu, static_cast<UINT>(i), MF_BYPOSITION);
        out += path + L"\t" + std::to_wstring(GetMenuItemID(menu, i)) + L"\t" +
               ((state & MF_CHECKED) != 0 ? L"1" : L"0") + L"\t" +
               ((state & MF_GRAYED) != 0 ? L"1" : L"0") + L"\n";
        ++count;
    }
}

LRESULT CALLBACK ReportProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == ReportMenuMessage) {
        std::wstring out;
        int count = 0;
        if (HMENU bar = GetMenu(reportedWindow))
            DescribeMenu(bar, L"", out, count);
        SetWindowTextW(window, out.c_str());
        return count;
    }
    if (message == ReportGdiSlotMessage) {
        HBRUSH brush = CreateSolidBrush(RGB(1, 2, 3));
        const auto slot = static_cast<LRESULT>(reinterpret_cast<UINT_PTR>(brush) & 0xFFFF);
        DeleteObject(brush);
        return slot;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

} // namespace

void StartTestReport(HINSTANCE instance, HWND mainWindow) {
    reportedWindow = mainWindow;
    WNDCLASSW windowClass = {};
    windowClass.lpfnWndProc = ReportProc;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = TestReportClass;
    RegisterClassW(&windowClass);
    CreateWindowExW(0, TestReportClass, L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, instance,
                    nullptr);
}

} // namespace VeRize
