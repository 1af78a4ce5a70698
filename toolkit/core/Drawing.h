// A small GDI painter made on the stack for one painting job.
//
// It is bound to the element being painted and holds one device context:
// either its own paint cycle (Begin, in the element's paint operation) or a
// context someone else owns (Borrow, for an owner-drawn item). Every drawing
// operation does nothing without a context. Every GDI object a call makes is
// deleted before the call returns; nothing is cached.
#pragma once

#include "toolkit/core/Element.h"

#include <cstdint>

namespace OrvoUtility {

class FontSpec;

class Drawing {
public:
    explicit Drawing(GUIElement *owner);
    virtual ~Drawing(); // End

    Drawing(const Drawing &) = delete;
    Drawing &operator=(const Drawing &) = delete;

    GUIElement *owner = nullptr; // not owned
    HDC dc = nullptr;
    bool borrowed = false; // dc belongs to someone else and is only used
    PAINTSTRUCT paint{};

    // Starts a paint cycle of the owner's window.
    void Begin();
    // Uses a context that someone else owns; it is never ended or released.
    void Borrow(HDC context);
    // Ends the paint cycle, or forgets a borrowed context. Safe to repeat.
    void End();

    // Rectangle with a null pen: covers x .. x + w - 2 and y .. y + h - 2.
    void FillBox(int atX, int atY, int w, int h, COLORREF color);
    // One-pixel outline of the rectangle x .. x + w - 1, y .. y + h - 1.
    void OutlineBox(int atX, int atY, int w, int h, COLORREF color);
    // Text in a box, top-aligned, breaking only at its own line ends, at most
    // 1023 units. alignment: 1 right, 2 centre, anything else left. With w
    // or h zero the text is written unclipped at (x, y). Font may be none.
    void WriteText(int atX, int atY, int w, int h, const WideText &text, COLORREF color,
                   int alignment, FontSpec *withFont);
    void WriteText(int atX, int atY, int w, int h, const NarrowText &text, COLORREF color,
                   int alignment, FontSpec *withFont);
    // Character cell height of the font; -1 without context or font.
    std::int32_t TextHeight(FontSpec *withFont);
    // Copies the w x h rectangle at (sx, sy) of the bitmap to (x, y).
    void CopyBitmap(int atX, int atY, int w, int h, HBITMAP bitmap, int sx, int sy);
    // The same copy with pure black pixels of the bitmap left out.
    void CopyBitmapTransparent(int atX, int atY, int w, int h, HBITMAP bitmap, int sx, int sy);
    // The whole bitmap at (x, y), stretched to w x h when both are non-zero,
    // at its natural size otherwise; pure black left out.
    void StretchBitmapTransparent(int atX, int atY, int w, int h, HBITMAP bitmap);
    // Loads a bitmap file as a device-independent section at natural size;
    // the caller owns the result (none on failure).
    static HBITMAP LoadBitmapFile(const NarrowText &path);

    // Called after every failed GDI step of the copies; the drawing goes on.
    virtual void ReportFailure();
};

} // namespace OrvoUtility
