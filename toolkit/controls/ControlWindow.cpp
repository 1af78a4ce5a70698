#include "toolkit/controls/ControlWindow.h"

#include "toolkit/core/Element.h"
#include "toolkit/core/Form.h"
#include "toolkit/core/WindowProc.h"

namespace OrvoUtility {

void MakeControlWindow(GUIElement &element, const wchar_t *windowClass, DWORD style,
                       DWORD extendedStyle) {
    element.id = TakeNextId();
    HWND parentWindow = element.parent != nullptr ? element.parent->window : nullptr;
    element.window = CreateWindowExW(
        extendedStyle, windowClass, element.text.c_str(), style, element.x, element.y,
        element.width, element.height, parentWindow,
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(element.id)), element.instance, nullptr);
    if (element.window == nullptr)
        (void)GetLastError();
}

void SubclassControl(GUIElement &element) {
    if (element.window == nullptr)
        return;
    element.controlProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(element.window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&WindowProc)));
}

void AttachTooltipAndFont(GUIElement &element) {
    element.AttachTooltip(element.window);
    if (element.font != nullptr && element.window != nullptr)
        SendMessageW(element.window, WM_SETFONT, reinterpret_cast<WPARAM>(element.font->Handle()),
                     TRUE);
}

} // namespace OrvoUtility
