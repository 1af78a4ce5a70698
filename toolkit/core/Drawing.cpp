#include "toolkit/core/Drawing.h"

#include "toolkit/core/Form.h"
#include "toolkit/core/GdiGuard.h"

#include <algorithm>
#include <array>
#include <functional>

namespace OrvoUtility {

Drawing::Drawing(GUIElement *paintedElement) : owner(paintedElement) {}

Drawing::~Drawing() {
    End();
}

void Drawing::Begin() {
    if (dc != nullptr || owner == nullptr || owner->window == nullptr)
        return;
    dc = BeginPaint(owner->window, &paint);
}

void Drawing::Borrow(HDC context) {
    End();
    dc = context;
    borrowed = true;
}

void Drawing::End() {
    if (borrowed) {
        dc = nullptr;
        borrowed = false;
        return;
    }
    if (dc != nullptr) {
        EndPaint(owner->window, &paint);
        dc = nullptr;
    }
}

void Drawing::FillBox(int atX, int atY, int w, int h, COLORREF color) {
    if (dc == nullptr)
        return;
    GdiObject<HBRUSH> brush(CreateSolidBrush(color));
    Selection penChoice(dc, GetStockObject(NULL_PEN));
    Selection brushChoice(dc, brush.Get());
    Rectangle(dc, atX, atY, atX + w, atY + h);
}

void Drawing::OutlineBox(int atX, int atY, int w, int h, COLORREF color) {
    if (dc == nullptr)
        return;
    GdiObject<HPEN> pen(CreatePen(PS_SOLID, 1, color));
    Selection brushChoice(dc, GetStockObject(NULL_BRUSH));
    Selection penChoice(dc, pen.Get());
    Rectangle(dc, atX, atY, atX + w, atY + h);
}

void Drawing::WriteText(int atX, int atY, int w, int h, const WideText &text, COLORREF color,
                        int alignment, FontSpec *withFont) {
    if (dc == nullptr)
        return;
    SetBkMode(dc, TRANSPARENT);
    std::array<wchar_t, 1024> buffer{};
    const std::size_t length = std::min<std::size_t>(text.size(), buffer.size() - 1);
    std::copy_n(text.data(), length, buffer.data());
    buffer[length] = L'\0';

    // Texts are shown as written: an "&" in a player's name is no mnemonic.
    UINT format = DT_LEFT | DT_NOPREFIX;
    if (alignment == 1)
        format = DT_RIGHT | DT_NOPREFIX;
    else if (alignment == 2)
        format = DT_CENTER | DT_NOPREFIX;

    Selection fontChoice(dc, withFont != nullptr ? withFont->Handle() : nullptr);
    const COLORREF previousColor = SetTextColor(dc, color);
    if (w != 0 && h != 0) {
        RECT box{atX, atY, atX + w, atY + h};
        DrawTextW(dc, buffer.data(), static_cast<int>(length), &box, format);
    } else {
        TextOutW(dc, atX, atY, buffer.data(), static_cast<int>(length));
    }
    SetTextColor(dc, previousColor);
}

void Drawing::WriteText(int atX, int atY, int w, int h, const NarrowText &text, COLORREF color,
                        int alignment, FontSpec *withFont) {
    WriteText(atX, atY, w, h, Widen(text), color, alignment, withFont);
}

std::int32_t Drawing::TextHeight(FontSpec *withFont) {
    if (dc == nullptr || withFont == nullptr)
        return -1;
    Selection fontChoice(dc, withFont->Handle());
    TEXTMETRICW metrics{};
    if (!GetTextMetricsW(dc, &metrics))
        return -1;
    return metrics.tmHeight;
}

void Drawing::CopyBitmap(int atX, int atY, int w, int h, HBITMAP bitmap, int sx, int sy) {
    if (dc == nullptr)
        return;
    MemoryContext source(dc);
    if (!source)
        ReportFailure();
    Selection picture(source.Get(), bitmap);
    if (!BitBlt(dc, atX, atY, w, h, source.Get(), sx, sy, SRCCOPY))
        ReportFailure();
}

namespace {

// While a one-bit mask is combined into a colour context, its set bits take
// the context's background colour and its clear bits the text colour. The
// mask only works as white = keep, black = clear, so the two colours are
// pinned for the copy and given back afterwards, whatever the context's
// owner had chosen (an owner-drawn item's context often has its own).
class MaskColours {
public:
    explicit MaskColours(HDC context)
        : dc(context), text(SetTextColor(context, RGB(0, 0, 0))),
          back(SetBkColor(context, RGB(255, 255, 255))) {}
    ~MaskColours() {
        SetTextColor(dc, text);
        SetBkColor(dc, back);
    }
    MaskColours(const MaskColours &) = delete;
    MaskColours &operator=(const MaskColours &) = delete;

private:
    HDC dc;
    COLORREF text;
    COLORREF back;
};

SIZE BitmapSize(HBITMAP bitmap) {
    BITMAP info{};
    if (bitmap == nullptr || GetObjectW(bitmap, sizeof(info), &info) == 0)
        return SIZE{0, 0};
    return SIZE{info.bmWidth, info.bmHeight};
}

} // namespace

// Both transparent copies build the same mask: one bit per pixel of the
// bitmap, set where the bitmap is pure black. ANDing the mask clears the
// destination where the picture will go; ORing the picture then fills it,
// and the black pixels add nothing to the destination they left alone.
namespace {

// The bitmap and its mask, each selected into a memory context compatible
// with the target, for the length of one copy. Members are undone in the
// reverse order: the selections first, then the mask and the contexts.
class MaskedPicture {
public:
    MaskedPicture(HDC target, HBITMAP bitmap, const std::function<void()> &reportFailure)
        : source(target), maskContext(target), size(BitmapSize(bitmap)),
          mask(CreateBitmap(size.cx, size.cy, 1, 1, nullptr)),
          maskChoice(maskContext.Get(), mask.Get()), pictureChoice(source.Get(), bitmap) {
        if (!source || !maskContext)
            reportFailure();
        if (!mask)
            reportFailure();
        SetBkColor(source.Get(), RGB(0, 0, 0));
        if (!BitBlt(maskContext.Get(), 0, 0, size.cx, size.cy, source.Get(), 0, 0, SRCCOPY))
            reportFailure();
    }

    MemoryContext source;
    MemoryContext maskContext;
    SIZE size;
    GdiObject<HBITMAP> mask;

private:
    Selection maskChoice;
    Selection pictureChoice;
};

} // namespace

void Drawing::CopyBitmapTransparent(int atX, int atY, int w, int h, HBITMAP bitmap, int sx,
                                    int sy) {
    if (dc == nullptr)
        return;
    const MaskedPicture picture(dc, bitmap, [this] { ReportFailure(); });
    MaskColours pinned(dc);
    if (!BitBlt(dc, atX, atY, w, h, picture.maskContext.Get(), sx, sy, SRCAND))
        ReportFailure();
    if (!BitBlt(dc, atX, atY, w, h, picture.source.Get(), sx, sy, SRCPAINT))
        ReportFailure();
}

void Drawing::StretchBitmapTransparent(int atX, int atY, int w, int h, HBITMAP bitmap) {
    if (dc == nullptr)
        return;
    const MaskedPicture picture(dc, bitmap, [this] { ReportFailure(); });
    const SIZE size = picture.size;
    MaskColours pinned(dc);
    if (w != 0 && h != 0) {
        if (!StretchBlt(dc, atX, atY, w, h, picture.maskContext.Get(), 0, 0, size.cx, size.cy,
                        SRCAND))
            ReportFailure();
        if (!StretchBlt(dc, atX, atY, w, h, picture.source.Get(), 0, 0, size.cx, size.cy, SRCPAINT))
            ReportFailure();
    } else {
        if (!BitBlt(dc, atX, atY, size.cx, size.cy, picture.maskContext.Get(), 0, 0, SRCAND))
            ReportFailure();
        if (!BitBlt(dc, atX, atY, size.cx, size.cy, picture.source.Get(), 0, 0, SRCPAINT))
            ReportFailure();
    }
}

HBITMAP Drawing::LoadBitmapFile(const NarrowText &path) {
    const WideText widePath = Widen(path);
    return static_cast<HBITMAP>(LoadImageW(nullptr, widePath.c_str(), IMAGE_BITMAP, 0, 0,
                                           LR_LOADFROMFILE | LR_CREATEDIBSECTION));
}

void Drawing::ReportFailure() {
    // Read and dropped: a failed step is not worth stopping the painting for.
    (void)GetLastError();
}

} // namespace OrvoUtility
