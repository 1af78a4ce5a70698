#include "toolkit/controls/Button.h"

#include "toolkit/controls/ControlWindow.h"
#include "toolkit/core/Drawing.h"
#include "toolkit/core/Form.h"
#include "toolkit/core/GdiGuard.h"

#include <cstdlib>

namespace OrvoUtility {

namespace {

COLORREF Complement(COLORREF color) {
    return RGB(255 - GetRValue(color), 255 - GetGValue(color), 255 - GetBValue(color));
}

// Height of the font currently selected into the context, read from its
// description. A negative height (a character height) counts by its size.
int SelectedFontHeight(HDC context, FontSpec &probe) {
    Selection swap(context, probe.Handle());
    LOGFONTW description{};
    HGDIOBJ replaced = swap.Previous();
    if (replaced == nullptr || GetObjectW(replaced, sizeof(description), &description) == 0)
        return 0;
    return std::abs(static_cast<int>(description.lfHeight));
}

} // namespace

Button::Button(GUIElement *parentElement, const NarrowText &caption) : Child(nullptr) {
    kind = "button";
    parent = parentElement;
    text = Widen(caption);
    width = 80;
    height = 30;
}

void Button::Create() {
    if (created)
        return;
    DWORD style = WS_CHILD | WS_VISIBLE | WS_TABSTOP;
    style |= ownerDraw ? BS_OWNERDRAW : BS_PUSHBUTTON;
    if (!enabled)
        style |= WS_DISABLED;
    MakeControlWindow(*this, L"Button", style, 0);
    SubclassControl(*this);
    created = true;
    AttachTooltipAndFont(*this);
}

int Button::DrawPicture(Drawing &drawing, const RECT &item, bool) {
    const int itemHeight = item.bottom - item.top;
    if (HBITMAP bitmap = enabled ? bitmapEnabled : bitmapDisabled) {
        BITMAP size{};
        GetObjectW(bitmap, sizeof(size), &size);
        drawing.StretchBitmapTransparent(item.left + 5, (itemHeight - size.bmHeight) / 2, 0, 0,
                                         bitmap);
        return item.left + size.bmWidth + 8;
    }
    if (HICON icon = enabled ? iconEnabled : iconDisabled) {
        if (drawing.dc != nullptr)
            DrawIconEx(drawing.dc, item.left + 5, (itemHeight - 32) / 2, icon, 32, 32, 0, nullptr,
                       DI_NORMAL);
        return item.left + 40;
    }
    return 0;
}

void Button::PaintItem(const DRAWITEMSTRUCT &item) {
    Drawing drawing(this);
    drawing.Borrow(item.hDC);
    HDC dc = item.hDC;
    const RECT &box = item.rcItem;
    const int w = box.right - box.left;
    const int h = box.bottom - box.top;

    COLORREF textColor = GetTextColor(dc);

    FontSpec probe; // "System", height 0
    const int fontHeight = SelectedFontHeight(dc, probe);
    int captionTop = (h - fontHeight) / 2;
    if (captionTop < 0)
        captionTop = 0;

    drawing.FillBox(box.left, box.top, w, h, GetBkColor(dc));

    COLORREF frame = textColor;
    if (item.itemState & ODS_DISABLED) {
        textColor = RGB(150, 150, 150);
        frame = RGB(105, 105, 105);
    } else if (item.itemState & ODS_SELECTED) {
        frame = Complement(textColor);
    }
    drawing.OutlineBox(box.left, box.top, w, h, frame);

    const int pictureOffset = DrawPicture(drawing, box, (item.itemState & ODS_SELECTED) != 0);

    drawing.WriteText(box.left + pictureOffset, box.top + captionTop, w - pictureOffset, h,
                      GetNarrowText(), textColor, pictureOffset == 0 ? 2 : 0, nullptr);

    if (item.itemState & ODS_FOCUS) {
        RECT focus = box;
        InflateRect(&focus, -3, -3);
        DrawFocusRect(dc, &focus);
    }
    drawing.End();
}

} // namespace OrvoUtility
