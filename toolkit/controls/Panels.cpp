#include "toolkit/controls/Panels.h"

#include "toolkit/core/Drawing.h"
#include "toolkit/core/Form.h"
#include "toolkit/core/WindowProc.h"

namespace OrvoUtility {

// --- PanelChildren ---

PanelChildren::PanelChildren(GUIElement *parentElement) : Child(nullptr) {
    kind = "panel";
    parent = parentElement;
}

PanelChildren::~PanelChildren() {
    if (colorBrush != nullptr)
        DeleteObject(colorBrush);
}

DWORD PanelChildren::ComputeStyle() const {
    DWORD style = 0;
    if (tabStop)
        style |= WS_TABSTOP;
    if (!floating)
        style |= WS_CHILD | WS_VISIBLE;
    if (!enabled)
        style |= WS_DISABLED;
    if (border)
        style |= WS_BORDER;
    if (horizontalScrollBar)
        style |= WS_HSCROLL;
    if (verticalScrollBar)
        style |= WS_VSCROLL;
    return style;
}

DWORD PanelChildren::ComputeExtendedStyle() const {
    DWORD style = 0;
    if (floating)
        style |= WS_EX_DLGMODALFRAME | WS_EX_TOOLWINDOW;
    if (border && !flatBorder)
        style |= WS_EX_CLIENTEDGE;
    return style;
}

void PanelChildren::SetBorder(bool hasBorder, bool flat) {
    border = hasBorder;
    flatBorder = flat;
    if (!created)
        return;
    SetLastError(0);
    if (SetWindowLongPtrW(window, GWL_STYLE, static_cast<LONG_PTR>(ComputeStyle())) == 0 &&
        GetLastError() != 0)
        return;
    // The sunken edge lives in the extended style.
    SetWindowLongPtrW(window, GWL_EXSTYLE, static_cast<LONG_PTR>(ComputeExtendedStyle()));
    SetWindowPos(window, nullptr, 0, 0, 0, 0,
                 SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void PanelChildren::SetScrollRange(std::int32_t minimum, std::int32_t maximum) {
    scrollMin = minimum;
    scrollMax = maximum;
    if (!created)
        return;
    SCROLLINFO info{};
    info.cbSize = sizeof(info);
    info.fMask = SIF_RANGE | SIF_PAGE;
    info.nMin = minimum;
    info.nMax = maximum;
    info.nPage = static_cast<UINT>((maximum - minimum) / 10);
    if (horizontalScrollBar)
        SetScrollInfo(window, SB_HORZ, &info, TRUE);
    if (verticalScrollBar)
        SetScrollInfo(window, SB_VERT, &info, TRUE);
}

HBRUSH PanelChildren::HandleControlColor(HDC context) {
    if (!customColors)
        return nullptr;
    if (colorBrush != nullptr) {
        DeleteObject(colorBrush);
        colorBrush = nullptr;
    }
    if (font != nullptr)
        SelectObject(context, font->Handle());
    HBRUSH brush;
    if (panelColor != NoColor) {
        SetBkColor(context, panelColor);
        brush = colorBrush = CreateSolidBrush(panelColor);
    } else if (backColor != NoColor) {
        SetBkColor(context, backColor);
        brush = colorBrush = CreateSolidBrush(backColor);
    } else {
        // The system's own brush: never ours to delete.
        brush = GetSysColorBrush(COLOR_BTNFACE);
    }
    if (textColor != NoColor)
        SetTextColor(context, textColor);
    return brush;
}

void PanelChildren::Create() {
    if (created)
        return;
    const std::int32_t number = CurrentIdCounter();
    id = TakeNextId();
    const WideText className = L"PanelChildren" + WideDecimal(number);

    HINSTANCE module = parent != nullptr ? parent->instance : nullptr;
    if (module == nullptr)
        module = GetModuleHandleW(nullptr);
    windowClass = WNDCLASSW{};
    windowClass.style = CS_DBLCLKS;
    windowClass.lpfnWndProc = &WindowProc;
    windowClass.hInstance = module;
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground =
        backColor == NoColor ? GetSysColorBrush(COLOR_BTNFACE) : CreateSolidBrush(backColor);
    windowClass.lpszClassName = className.c_str();
    RegisterClassW(&windowClass);
    windowClass.lpszClassName = nullptr; // the name's storage ends here

    HWND parentWindow = !floating && parent != nullptr ? parent->window : nullptr;
    HMENU childId = floating ? nullptr : reinterpret_cast<HMENU>(static_cast<INT_PTR>(id));
    window =
        CreateWindowExW(ComputeExtendedStyle(), className.c_str(), text.c_str(), ComputeStyle(), x,
                        y, width, height, parentWindow, childId, module, nullptr);
    if (window == nullptr)
        (void)GetLastError();
    if (!floating && window != nullptr) {
        ShowWindow(window, SW_SHOW);
        UpdateWindow(window);
    }
    created = true;
    HandleCreated(window);
    SetScrollRange(scrollMin, scrollMax);
    AttachTooltip(window);
    if (font != nullptr && window != nullptr)
        SendMessageW(window, WM_SETFONT, reinterpret_cast<WPARAM>(font->Handle()), TRUE);
}

bool PanelChildren::ScrollByBar(bool vertical, int request) {
    if (vertical ? !verticalScrollBar : !horizontalScrollBar)
        return false;
    const int bar = vertical ? SB_VERT : SB_HORZ;
    SCROLLINFO info{};
    info.cbSize = sizeof(info);
    info.fMask = SIF_ALL;
    GetScrollInfo(window, bar, &info);
    const int page = static_cast<int>(info.nPage);
    int requested = info.nPos;
    switch (request) {
    case SB_LINEUP:
        requested = info.nPos - 1;
        break;
    case SB_LINEDOWN:
        requested = info.nPos + 1;
        break;
    case SB_PAGEUP:
        requested = info.nPos - page;
        break;
    case SB_PAGEDOWN:
        requested = info.nPos + page;
        break;
    case SB_THUMBTRACK:
        requested = info.nTrackPos;
        break;
    case SB_TOP:
        if (vertical)
            requested = info.nMin;
        break;
    case SB_BOTTOM:
        if (vertical)
            requested = info.nMax;
        break;
    default: // SB_THUMBPOSITION, SB_ENDSCROLL and the rest leave it where it is
        break;
    }
    ScrollTo(bar, info.nPos, requested);
    return true;
}

bool PanelChildren::ScrollByWheel(int delta) {
    if (!verticalScrollBar)
        return false;
    SCROLLINFO info{};
    info.cbSize = sizeof(info);
    info.fMask = SIF_ALL;
    GetScrollInfo(window, SB_VERT, &info);
    const int page = static_cast<int>(info.nPage);
    ScrollTo(SB_VERT, info.nPos, delta > 0 ? info.nPos - page : info.nPos + page);
    return true;
}

void PanelChildren::ScrollTo(int bar, int oldPosition, int requested) {
    const bool asked = requested != oldPosition;
    SCROLLINFO info{};
    info.cbSize = sizeof(info);
    info.fMask = SIF_POS;
    info.nPos = requested;
    SetScrollInfo(window, bar, &info, TRUE);
    info.nPos = oldPosition;
    GetScrollInfo(window, bar, &info);
    const int moved = oldPosition - info.nPos;
    if (moved != 0) {
        if (bar == SB_VERT)
            ScrollWindow(window, 0, moved, nullptr, nullptr);
        else
            ScrollWindow(window, moved, 0, nullptr, nullptr);
        UpdateWindow(window);
    }
    if (asked) {
        ScrollHandler &handler = bar == SB_VERT ? onVerticalScroll : onHorizontalScroll;
        if (handler)
            handler(this, oldPosition - requested);
    }
}

// --- ImageFrame ---

ImageFrame::ImageFrame(GUIElement *parentElement, HBITMAP strip, std::int32_t column,
                       std::int32_t row)
    : PanelChildren(parentElement), bitmap(strip), tileColumn(column), tileRow(row) {
    tabStop = false;
}

void ImageFrame::SetTile(std::int32_t column, std::int32_t row) {
    tileColumn = column;
    tileRow = row;
    if (created)
        InvalidateRect(window, nullptr, TRUE);
}

void ImageFrame::HandlePaint() {
    // The window may paint before Create has finished (a panel shown on a
    // visible form paints at once): the window is what counts.
    RECT client{};
    if (window != nullptr && bitmap != nullptr && GetClientRect(window, &client)) {
        Drawing drawing(this);
        drawing.Begin();
        if (backgroundPainted)
            drawing.FillBox(client.left, client.top, client.right - client.left,
                            client.bottom - client.top, backColor);
        const SIZE size = RefreshSize();
        const int w = size.cx;
        const int h = size.cy;
        if (transparent)
            drawing.CopyBitmapTransparent(0, 0, w, h, bitmap, tileColumn * w, tileRow * h);
        else
            drawing.CopyBitmap(0, 0, w, h, bitmap, tileColumn * w, tileRow * h);
        drawing.End();
    }
    // Only onPaint: a painted background must not cover the tile again.
    const bool painted = backgroundPainted;
    backgroundPainted = false;
    PanelChildren::HandlePaint();
    backgroundPainted = painted;
}

// --- CellControl ---

CellControl::CellControl(GUIElement *parentElement) : PanelChildren(parentElement) {
    tabStop = false;
}

void CellControl::Invalidate() {
    if (created)
        InvalidateRect(window, nullptr, TRUE);
}

void CellControl::SetTextColor(COLORREF color) {
    textColor = color;
    Invalidate();
}

void CellControl::SetTextAlign(std::int32_t alignment) {
    textAlign = alignment;
    Invalidate();
}

void CellControl::SetText(const WideText &newText) {
    PanelChildren::SetText(newText);
    Invalidate();
}

void CellControl::SetText(const NarrowText &newText) {
    SetText(Widen(newText));
    Invalidate();
}

void CellControl::HandlePaint() {
    RECT client{};
    if (window != nullptr && GetClientRect(window, &client)) {
        Drawing drawing(this);
        FontSpec own(faceName, fontSize);
        own.bold = bold;
        own.italic = italic;
        own.underline = underline;
        drawing.Begin();
        if (backgroundPainted)
            drawing.FillBox(client.left, client.top, client.right - client.left,
                            client.bottom - client.top, backColor);
        FontSpec *textFont = font != nullptr ? font : &own;
        const int lineHeight = drawing.TextHeight(textFont);
        if (!text.empty()) {
            const int top = (client.bottom - lineHeight - client.top) / 2;
            drawing.WriteText(0, top, client.right - client.left, client.bottom - top, text,
                              textColor, textAlign, textFont);
        }
        if (marker)
            drawing.WriteText(client.right - lineHeight, client.bottom - lineHeight, lineHeight,
                              lineHeight, WideText(L"*"), textColor, 2, textFont);
        if (picture != nullptr) {
            // Placed by the size it is drawn at: its natural size unless both
            // sizes are given.
            int drawnWidth = pictureWidth;
            int drawnHeight = pictureHeight;
            if (drawnWidth == 0 || drawnHeight == 0) {
                BITMAP natural{};
                GetObjectW(picture, sizeof(natural), &natural);
                drawnWidth = natural.bmWidth;
                drawnHeight = natural.bmHeight;
            }
            const int top = (client.bottom - drawnHeight - client.top) / 2;
            int left = 3;
            if (pictureAlign == 1)
                left = client.right - drawnWidth - 3;
            else if (pictureAlign == 2)
                left = (client.right - drawnWidth - client.left) / 2;
            drawing.StretchBitmapTransparent(left, top, pictureWidth, pictureHeight, picture);
        }
        drawing.End();
    }
    const bool painted = backgroundPainted;
    backgroundPainted = false;
    PanelChildren::HandlePaint();
    backgroundPainted = painted;
}

} // namespace OrvoUtility
