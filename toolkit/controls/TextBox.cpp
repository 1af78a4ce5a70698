#include "toolkit/controls/TextBox.h"

#include "toolkit/controls/ControlWindow.h"

namespace OrvoUtility {

TextBox::TextBox(GUIElement *parentElement, const NarrowText &initialText) : Child(nullptr) {
    kind = "textbox";
    parent = parentElement;
    text = Widen(initialText);
    width = 80;
    height = 30;
}

DWORD TextBox::ComputeStyle() const {
    DWORD style = WS_CHILD | WS_VISIBLE | WS_TABSTOP;
    if (!enabled)
        style |= WS_DISABLED;
    if (horizontalScrollBar)
        style |= WS_HSCROLL;
    if (verticalScrollBar)
        style |= WS_VSCROLL;
    if (numbersOnly)
        style |= ES_NUMBER;
    if (border)
        style |= WS_BORDER;
    if (multiLine) {
        style |= ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN;
        if (!wordWrap)
            style |= ES_AUTOHSCROLL;
    } else {
        style |= ES_AUTOHSCROLL;
    }
    if (readOnly)
        style |= ES_READONLY;
    if (upperCase)
        style |= ES_UPPERCASE;
    else if (lowerCase)
        style |= ES_LOWERCASE;
    if (rightAlign)
        style |= ES_RIGHT;
    else if (centered)
        style |= ES_CENTER;
    return style;
}

void TextBox::UpdateStyle() {
    if (!created)
        return;
    SetLastError(0);
    if (SetWindowLongPtrW(window, GWL_STYLE, static_cast<LONG_PTR>(ComputeStyle())) == 0 &&
        GetLastError() != 0)
        return;
    SendMessageW(window, EM_SETREADONLY, readOnly ? TRUE : FALSE, 0);
    SendMessageW(window, EM_SETPASSWORDCHAR, password ? L'*' : 0, 0);
    SetWindowPos(window, nullptr, 0, 0, 0, 0,
                 SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void TextBox::Create() {
    if (created)
        return;
    MakeControlWindow(*this, L"edit", ComputeStyle(), border ? WS_EX_CLIENTEDGE : 0);
    SubclassControl(*this);
    created = true;
    if (maxLength != -1 && window != nullptr)
        SendMessageW(window, EM_SETLIMITTEXT, static_cast<WPARAM>(maxLength), 0);
    // The style has no bit for it: a password box hides its text from the start.
    if (password && window != nullptr)
        SendMessageW(window, EM_SETPASSWORDCHAR, L'*', 0);
    AttachTooltipAndFont(*this);
}

} // namespace OrvoUtility
