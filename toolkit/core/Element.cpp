#include "toolkit/core/Element.h"

#include "toolkit/core/WindowProc.h"

#include <commctrl.h>

#include <algorithm>

namespace OrvoUtility {

namespace {

std::vector<GUIElement *> &Registry() {
    static std::vector<GUIElement *> elements;
    return elements;
}

std::int32_t idCounter = 0;

} // namespace

// --- registry ---

GUIElement *FindByWindow(HWND h) {
    const auto &elements = Registry();
    for (GUIElement *element : elements)
        if (element->window == h)
            return element;
    if (!elements.empty() && elements.back()->window == nullptr)
        return elements.back();
    return nullptr;
}

GUIElement *FindById(std::int32_t wanted) {
    for (GUIElement *element : Registry())
        if (element->id == wanted)
            return element;
    return nullptr;
}

GUIElement *FindMenuItemById(std::int32_t wanted) {
    for (GUIElement *element : Registry())
        if (element->id == wanted && dynamic_cast<MenuEntryHook *>(element) != nullptr)
            return element;
    return nullptr;
}

std::vector<GUIElement *> ChildrenOf(HWND h) {
    std::vector<GUIElement *> children;
    for (GUIElement *element : Registry())
        if (dynamic_cast<Child *>(element) != nullptr && element->parent != nullptr &&
            element->parent->window == h)
            children.push_back(element);
    return children;
}

const std::vector<GUIElement *> &RegisteredElements() {
    return Registry();
}

std::int32_t CurrentIdCounter() {
    return idCounter;
}

std::int32_t TakeNextId() {
    return ++idCounter;
}

// --- element ---

GUIElement::GUIElement(HINSTANCE moduleInstance) : instance(moduleInstance) {
    Registry().push_back(this);
}

GUIElement::~GUIElement() {
    auto &elements = Registry();
    elements.erase(std::remove(elements.begin(), elements.end(), this), elements.end());
    ForgetElement(this);
    // A native control that outlives its element gets its own procedure
    // back; without the element the shared procedure could not reach it.
    if (controlProc != nullptr && window != nullptr && IsWindow(window) &&
        reinterpret_cast<WNDPROC>(GetWindowLongPtrW(window, GWLP_WNDPROC)) == WindowProc)
        SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(controlProc));
}

void GUIElement::SetSize(std::int32_t newWidth, std::int32_t newHeight) {
    width = newWidth;
    height = newHeight;
    if (!HasWindow())
        return;
    SetWindowPos(window, nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    UpdateTooltip();
    Redraw();
}

void GUIElement::SetBackColor(COLORREF color) {
    backColor = color;
    if (!HasWindow())
        return;
    InvalidateRect(window, nullptr, FALSE);
    PAINTSTRUCT ps{};
    HDC dc = BeginPaint(window, &ps);
    if (dc != nullptr) {
        RECT client{};
        GetClientRect(window, &client);
        SetBkColor(dc, color);
        ExtTextOutW(dc, 0, 0, ETO_OPAQUE, &client, L"", 0, nullptr);
    }
    EndPaint(window, &ps);
    backgroundPainted = true;
}

void GUIElement::SetEnabled(bool enable) {
    enabled = enable;
    if (HasWindow())
        EnableWindow(window, enable ? TRUE : FALSE);
}

void GUIElement::SetText(const WideText &newText) {
    text = newText;
    if (HasWindow())
        SetWindowTextW(window, text.c_str());
}

void GUIElement::SetText(const NarrowText &newText) {
    SetText(Widen(newText));
}

void GUIElement::HandleLeftButtonUp(int atX, int atY) {
    if (onLeftButtonUp)
        onLeftButtonUp(this, window, atX, atY);
}

void GUIElement::HandleLeftButtonDown(int atX, int atY) {
    if (onLeftButtonDown)
        onLeftButtonDown(this, window, atX, atY);
}

void GUIElement::HandleLeftDoubleClick(int atX, int atY) {
    if (onLeftDoubleClick)
        onLeftDoubleClick(this, window, atX, atY);
}

void GUIElement::HandleRightButtonUp(int atX, int atY) {
    if (onRightButtonUp)
        onRightButtonUp(this, window, atX, atY);
}

void GUIElement::HandleRightButtonDown(int atX, int atY) {
    if (onRightButtonDown)
        onRightButtonDown(this, window, atX, atY);
}

void GUIElement::HandleRightDoubleClick(int atX, int atY) {
    if (onRightDoubleClick)
        onRightDoubleClick(this, window, atX, atY);
}

void GUIElement::HandleKeyUp(int key) {
    if (onKeyUp)
        onKeyUp(this, key);
}

void GUIElement::HandleKeyDown(int key) {
    if (onKeyDown)
        onKeyDown(this, key);
}

bool GUIElement::HandleChar(wchar_t code) {
    return onChar ? onChar(this, code) : true;
}

void GUIElement::HandleMouseMove(int atX, int atY) {
    if (onMouseMove)
        onMouseMove(this, atX, atY);
}

void GUIElement::HandleMouseHover() {
    if (onMouseHover)
        onMouseHover(this);
}

void GUIElement::HandleMouseLeave() {
    if (onMouseLeave)
        onMouseLeave(this);
}

void GUIElement::Focus() {
    if (HasWindow())
        SetFocus(window);
}

void GUIElement::HandleMoved() {
    RefreshPosition();
    if (onMoved)
        onMoved(this);
}

void GUIElement::HandleResized() {
    if (onResized)
        onResized(this);
}

void GUIElement::HandlePaint() {
    if (backgroundPainted)
        SetBackColor(backColor);
    if (onPaint)
        onPaint(this);
}

HBRUSH GUIElement::HandleControlColor(HDC) {
    return nullptr;
}

bool GUIElement::HandleCloseQuery() {
    return onCloseQuery ? onCloseQuery(this) : true;
}

void GUIElement::HandleDestroyed() {
    if (onDestroyed)
        onDestroyed(this);
    destroyed = true;
}

void GUIElement::HandleFocusGained() {
    focusText = GetText();
    if (onFocusGained)
        onFocusGained(this);
}

void GUIElement::HandleFocusLost() {
    if (onFocusLost)
        onFocusLost(this);
    if (GetText() != focusText && onTextChanged)
        onTextChanged(this);
}

void GUIElement::HandleActivated() {
    if (onActivated)
        onActivated(this);
}

void GUIElement::HandleDeactivated() {
    if (onDeactivated)
        onDeactivated(this);
}

void GUIElement::HandleCreated(HWND newWindow) {
    if (window == nullptr)
        window = newWindow;
    if (!createdNotified) {
        // Marked first, so a creation report that arrives from inside
        // onCreated does not run it a second time.
        createdNotified = true;
        if (onCreated)
            onCreated(this, window);
    }
}

void GUIElement::Redraw() {
    if (HasWindow())
        RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME);
}

bool GUIElement::GetWaitCursor() {
    return waitCursor;
}

bool GUIElement::GetHandCursor() {
    return handCursor;
}

void GUIElement::SetWaitCursor(bool on) {
    waitCursor = on;
}

void GUIElement::SetHandCursor(bool on) {
    handCursor = on;
}

void GUIElement::HandleShown() {}

void GUIElement::HandleListEvent(ListEvent) {}

WideText GUIElement::GetText() {
    if (HasWindow()) {
        const int length = GetWindowTextLengthW(window);
        if (length <= 0) {
            text.clear();
        } else {
            std::vector<wchar_t> buffer(static_cast<std::size_t>(length) + 1, L'\0');
            const int read = GetWindowTextW(window, buffer.data(), length + 1);
            if (read != 0)
                text.assign(buffer.data(), static_cast<std::size_t>(read));
        }
    }
    return text;
}

NarrowText GUIElement::GetNarrowText() {
    return Narrow(GetText());
}

POINT GUIElement::RefreshPosition() {
    if (HasWindow()) {
        RECT outer{};
        if (GetWindowRect(window, &outer)) {
            POINT corner{outer.left, outer.top};
            if (parent != nullptr && parent->window != nullptr)
                ScreenToClient(parent->window, &corner);
            x = corner.x;
            y = corner.y;
        }
    }
    return POINT{x, y};
}

SIZE GUIElement::RefreshSize() {
    if (HasWindow()) {
        RECT outer{};
        if (GetWindowRect(window, &outer)) {
            width = outer.right - outer.left;
            height = outer.bottom - outer.top;
        }
    }
    return SIZE{width, height};
}

namespace {

TTTOOLINFOW ToolFor(HWND owner, WideText &tipText) {
    TTTOOLINFOW tool{};
#ifdef TTTOOLINFOW_V2_SIZE
    tool.cbSize = TTTOOLINFOW_V2_SIZE; // understood by every common-controls version
#else
    tool.cbSize = sizeof(tool);
#endif
    tool.uFlags = TTF_SUBCLASS;
    tool.hwnd = owner;
    tool.uId = 0;
    GetClientRect(owner, &tool.rect);
    tool.lpszText = tipText.data();
    return tool;
}

} // namespace

void GUIElement::AttachTooltip(HWND owner) {
    if (tooltip.empty() || owner == nullptr)
        return;
    INITCOMMONCONTROLSEX init{sizeof(INITCOMMONCONTROLSEX), 0xFF};
    InitCommonControlsEx(&init);
    HWND tip = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                               WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP, 0, 0, 0, 0, owner, nullptr,
                               instance, nullptr);
    if (tip == nullptr)
        return;
    SetWindowPos(tip, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    tooltipWindow = tip;
    WideText tipText = Widen(tooltip);
    TTTOOLINFOW tool = ToolFor(owner, tipText);
    SendMessageW(tip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
}

void GUIElement::UpdateTooltip() {
    if (tooltipWindow == nullptr) {
        AttachTooltip(window);
        return;
    }
    if (window == nullptr)
        return;
    WideText tipText = Widen(tooltip);
    TTTOOLINFOW tool = ToolFor(window, tipText);
    SendMessageW(tooltipWindow, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&tool));
    SendMessageW(tooltipWindow, TTM_NEWTOOLRECTW, 0, reinterpret_cast<LPARAM>(&tool));
}

} // namespace OrvoUtility
