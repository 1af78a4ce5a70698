// Helpers shared by the controls' Windows tests: real windows, real
// messages, pixels read back from the screen.
#pragma once

#include "toolkit/core/Element.h"
#include "toolkit/core/Form.h"
#include "toolkit/core/WindowProc.h"
#include "tests/support/MessagePump.h"

#include <algorithm>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace ControlsTest {

using namespace OrvoUtility;

// Bitmap resource of the test program: 16 x 12 in ProbeResourceColor.
inline constexpr int ProbeResource = 2001;
inline constexpr COLORREF ProbeResourceColor = RGB(30, 160, 90);

inline HINSTANCE Instance() {
    return GetModuleHandleW(nullptr);
}

using TestSupport::Pump;

// The one form of the test program, made by the first test that needs it
// and destroyed when all tests have run. Destroying a top-level window costs
// two seconds under Wine without a window manager (it waits for the window
// to be withdrawn), so the tests share one instead of making their own.
Form &SharedForm();

// A test's use of the shared form: when it ends, the windows the test left
// inside the form and the form's menu go away.
class FormLease {
public:
    FormLease() : form(&SharedForm()) {}
    ~FormLease() {
        if (HMENU menu = GetMenu(form->window)) {
            SetMenu(form->window, nullptr);
            DestroyMenu(menu);
        }
        while (HWND child = GetWindow(form->window, GW_CHILD))
            DestroyWindow(child);
        Pump();
    }
    FormLease(const FormLease &) = delete;
    FormLease &operator=(const FormLease &) = delete;

    Form *get() const { return form; }
    Form *operator->() const { return form; }

private:
    Form *form;
};

inline FormLease MakeForm() {
    return FormLease();
}

// The colour at (x, y) of a window's client area, after it painted.
inline COLORREF PixelAt(HWND window, int atX, int atY) {
    UpdateWindow(window);
    HDC dc = GetDC(window);
    const COLORREF color = GetPixel(dc, atX, atY);
    ReleaseDC(window, dc);
    return color;
}

// Every pixel of a window's client area, after it painted.
class Snapshot {
public:
    explicit Snapshot(HWND window) {
        UpdateWindow(window);
        RECT client{};
        GetClientRect(window, &client);
        width = client.right;
        height = client.bottom;
        pixels.assign(static_cast<std::size_t>(width) * height, 0);
        if (width <= 0 || height <= 0)
            return;
        // One copy of the client area into a 32-bit section, read from memory.
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof(info.bmiHeader);
        info.bmiHeader.biWidth = width;
        info.bmiHeader.biHeight = -height;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        void *bits = nullptr;
        HDC dc = GetDC(window);
        HBITMAP copy = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
        HDC memory = CreateCompatibleDC(dc);
        HGDIOBJ old = SelectObject(memory, copy);
        BitBlt(memory, 0, 0, width, height, dc, 0, 0, SRCCOPY);
        GdiFlush();
        const auto *source = static_cast<const std::uint32_t *>(bits);
        for (std::size_t i = 0; i < pixels.size(); ++i) {
            const std::uint32_t v = source[i];
            pixels[i] = RGB((v >> 16) & 0xFF, (v >> 8) & 0xFF, v & 0xFF);
        }
        SelectObject(memory, old);
        DeleteDC(memory);
        DeleteObject(copy);
        ReleaseDC(window, dc);
    }
    COLORREF At(int column, int row) const {
        return pixels[static_cast<std::size_t>(row) * width + column];
    }
    // Smallest box holding every pixel for which the test holds; empty
    // (left > right) when there is none.
    RECT Box(const std::function<bool(COLORREF)> &test) const {
        RECT box{width, height, -1, -1};
        for (int row = 0; row < height; ++row)
            for (int column = 0; column < width; ++column)
                if (test(At(column, row))) {
                    box.left = std::min<LONG>(box.left, column);
                    box.top = std::min<LONG>(box.top, row);
                    box.right = std::max<LONG>(box.right, column);
                    box.bottom = std::max<LONG>(box.bottom, row);
                }
        return box;
    }
    int Count(COLORREF color) const { return CountIn(color, RECT{0, 0, width, height}); }
    // Pixels of the colour inside area (right and bottom excluded).
    int CountIn(COLORREF color, const RECT &area) const {
        int count = 0;
        for (int row = area.top; row < area.bottom; ++row)
            for (int column = area.left; column < area.right; ++column)
                count += At(column, row) == color ? 1 : 0;
        return count;
    }
    // Box of the pixels of the colour inside area; empty when there is none.
    RECT BoxIn(COLORREF color, const RECT &area) const {
        RECT box{area.right, area.bottom, -1, -1};
        for (int row = area.top; row < area.bottom; ++row)
            for (int column = area.left; column < area.right; ++column)
                if (At(column, row) == color) {
                    box.left = std::min<LONG>(box.left, column);
                    box.top = std::min<LONG>(box.top, row);
                    box.right = std::max<LONG>(box.right, column);
                    box.bottom = std::max<LONG>(box.bottom, row);
                }
        return box;
    }
    int width = 0;
    int height = 0;

private:
    std::vector<COLORREF> pixels;
};

// A 32-bit device-independent bitmap whose pixels come from colorAt.
inline HBITMAP MakeBitmap(int width, int height, const std::function<COLORREF(int, int)> &colorAt) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height; // top row first
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void *bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    auto *pixel = static_cast<std::uint32_t *>(bits);
    for (int row = 0; row < height; ++row)
        for (int column = 0; column < width; ++column) {
            const COLORREF color = colorAt(column, row);
            pixel[row * width + column] =
                (GetRValue(color) << 16) | (GetGValue(color) << 8) | GetBValue(color);
        }
    return bitmap;
}

// Low 16 bits of a fresh brush handle. Freed handle slots are used again, so
// the value stays put while nothing leaks and climbs when something does.
inline unsigned ProbeHandle() {
    HBRUSH probe = CreateSolidBrush(RGB(1, 2, 3));
    const unsigned low = static_cast<unsigned>(reinterpret_cast<std::uintptr_t>(probe) & 0xFFFF);
    DeleteObject(probe);
    return low;
}

} // namespace ControlsTest
