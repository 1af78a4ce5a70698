// Drawing on a memory context, read back pixel by pixel.
#include "toolkit/core/Drawing.h"
#include "toolkit/core/Form.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

namespace {

using namespace OrvoUtility;

constexpr COLORREF white = RGB(255, 255, 255);
constexpr COLORREF black = RGB(0, 0, 0);
constexpr COLORREF red = RGB(255, 0, 0);
constexpr COLORREF blue = RGB(0, 0, 255);
constexpr COLORREF yellow = RGB(255, 255, 0);

// A 32-bit picture of its own with a memory context selected onto it.
class Canvas {
public:
    Canvas(int w, int h, COLORREF fill) : width(w), height(h) {
        dc = CreateCompatibleDC(nullptr);
        bitmap = MakeBitmap(w, h);
        previous = SelectObject(dc, bitmap);
        Fill(0, 0, w, h, fill);
    }
    ~Canvas() {
        SelectObject(dc, previous);
        DeleteObject(bitmap);
        DeleteDC(dc);
    }
    Canvas(const Canvas &) = delete;
    Canvas &operator=(const Canvas &) = delete;

    static HBITMAP MakeBitmap(int w, int h) {
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof(info.bmiHeader);
        info.bmiHeader.biWidth = w;
        info.bmiHeader.biHeight = -h;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        void *bits = nullptr;
        return CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    }

    void Fill(int x, int y, int w, int h, COLORREF color) {
        HBRUSH brush = CreateSolidBrush(color);
        RECT box{x, y, x + w, y + h};
        FillRect(dc, &box, brush);
        DeleteObject(brush);
    }
    COLORREF At(int x, int y) const { return GetPixel(dc, x, y); }
    // How many pixels of the rectangle have the colour.
    int Count(int x, int y, int w, int h, COLORREF color) const {
        int n = 0;
        for (int j = y; j < y + h; ++j)
            for (int i = x; i < x + w; ++i)
                n += At(i, j) == color ? 1 : 0;
        return n;
    }
    // Rightmost column holding a pixel other than the background, or -1.
    int RightmostInk(COLORREF background) const {
        for (int i = width - 1; i >= 0; --i)
            for (int j = 0; j < height; ++j)
                if (At(i, j) != background)
                    return i;
        return -1;
    }
    int BottomInk(COLORREF background) const {
        for (int j = height - 1; j >= 0; --j)
            for (int i = 0; i < width; ++i)
                if (At(i, j) != background)
                    return j;
        return -1;
    }
    int LeftmostInk(COLORREF background) const {
        for (int i = 0; i < width; ++i)
            for (int j = 0; j < height; ++j)
                if (At(i, j) != background)
                    return i;
        return -1;
    }

    HDC dc;
    HBITMAP bitmap;
    int width;
    int height;

private:
    HGDIOBJ previous;
};

// A tile strip like the game's: tiles of size x size, black around a filled
// disc of the tile's colour.
HBITMAP Strip(int size, std::initializer_list<COLORREF> colors) {
    const int count = static_cast<int>(colors.size());
    HBITMAP strip = Canvas::MakeBitmap(size * count, size);
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, strip);
    RECT all{0, 0, size * count, size};
    FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    int column = 0;
    for (COLORREF color : colors) {
        HBRUSH brush = CreateSolidBrush(color);
        HGDIOBJ oldBrush = SelectObject(dc, brush);
        HGDIOBJ oldPen = SelectObject(dc, GetStockObject(NULL_PEN));
        Ellipse(dc, column * size + 4, 4, column * size + size - 4, size - 4);
        SelectObject(dc, oldPen);
        SelectObject(dc, oldBrush);
        DeleteObject(brush);
        ++column;
    }
    SelectObject(dc, old);
    DeleteDC(dc);
    return strip;
}

// Low 16 bits of a fresh brush handle: freed slots are reused, so the value
// only climbs when GDI objects are left behind.
unsigned ProbeHandle() {
    HBRUSH probe = CreateSolidBrush(RGB(1, 2, 3));
    const unsigned low = static_cast<unsigned>(reinterpret_cast<std::uintptr_t>(probe) & 0xFFFF);
    DeleteObject(probe);
    return low;
}

class CountingDrawing : public Drawing {
public:
    CountingDrawing() : Drawing(nullptr) {}
    int failures = 0;
    void ReportFailure() override { ++failures; }
};

TEST(Drawing, FillBoxLeavesTheLastColumnAndRowUnpainted) {
    Canvas canvas(20, 20, white);
    Drawing drawing(nullptr);
    drawing.Borrow(canvas.dc);
    drawing.FillBox(0, 0, 10, 10, red);
    EXPECT_EQ(canvas.Count(0, 0, 20, 20, red), 81);
    EXPECT_EQ(canvas.Count(0, 0, 9, 9, red), 81);
    EXPECT_EQ(canvas.At(9, 0), white);
    EXPECT_EQ(canvas.At(0, 9), white);
}

TEST(Drawing, OutlineBoxDrawsOnlyTheFrame) {
    Canvas canvas(20, 20, white);
    Drawing drawing(nullptr);
    drawing.Borrow(canvas.dc);
    drawing.OutlineBox(2, 2, 10, 10, blue);
    EXPECT_EQ(canvas.At(2, 2), blue);
    EXPECT_EQ(canvas.At(11, 11), blue);
    EXPECT_EQ(canvas.At(6, 6), white); // inside stays
    EXPECT_EQ(canvas.Count(0, 0, 20, 20, blue), 36);
}

TEST(Drawing, TransparentTileShowsTheBallOnTheBackground) {
    HBITMAP strip = Strip(27, {yellow, red, RGB(0, 200, 0)});
    // Context colours as an owner-drawn item may leave them: they must not
    // change what the copy shows.
    struct ContextColours {
        const char *name;
        COLORREF text, back;
    } contexts[] = {{"default colours", black, white}, {"item colours", white, black}};
    for (const ContextColours &context : contexts) {
        SCOPED_TRACE(context.name);
        Canvas canvas(60, 40, blue);
        SetTextColor(canvas.dc, context.text);
        SetBkColor(canvas.dc, context.back);
        Drawing drawing(nullptr);
        drawing.Borrow(canvas.dc);
        drawing.CopyBitmapTransparent(10, 5, 27, 27, strip, 27, 0); // the red tile
        EXPECT_EQ(canvas.At(10 + 13, 5 + 13), red);                 // the ball
        EXPECT_EQ(canvas.At(10 + 1, 5 + 1), blue);                  // the tile's black corner
        EXPECT_EQ(canvas.At(10 + 26, 5 + 13), blue);                // its right edge
        EXPECT_EQ(canvas.Count(0, 0, 60, 40, yellow), 0);           // no neighbouring tile
        EXPECT_EQ(canvas.Count(0, 0, 60, 40, black), 0);
        EXPECT_EQ(canvas.Count(0, 0, 10, 40, blue), 10 * 40); // nothing left of it
        EXPECT_EQ(GetTextColor(canvas.dc), context.text);
        EXPECT_EQ(GetBkColor(canvas.dc), context.back);
    }
    DeleteObject(strip);
}

TEST(Drawing, PlainCopyKeepsTheBlack) {
    HBITMAP strip = Strip(27, {yellow, red});
    Canvas canvas(40, 40, blue);
    Drawing drawing(nullptr);
    drawing.Borrow(canvas.dc);
    drawing.CopyBitmap(0, 0, 27, 27, strip, 27, 0);
    EXPECT_EQ(canvas.At(13, 13), red);
    EXPECT_EQ(canvas.At(1, 1), black);
    EXPECT_EQ(canvas.At(30, 30), blue);
    DeleteObject(strip);
}

TEST(Drawing, StretchAtNaturalSizeAndAtDoubleSize) {
    // 16 x 16: left half black (transparent), right half green.
    HBITMAP picture = Canvas::MakeBitmap(16, 16);
    {
        HDC dc = CreateCompatibleDC(nullptr);
        HGDIOBJ old = SelectObject(dc, picture);
        RECT left{0, 0, 8, 16}, right{8, 0, 16, 16};
        FillRect(dc, &left, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
        HBRUSH green = CreateSolidBrush(RGB(0, 255, 0));
        FillRect(dc, &right, green);
        DeleteObject(green);
        SelectObject(dc, old);
        DeleteDC(dc);
    }
    struct Case {
        const char *name;
        int w, h, drawn; // drawn: the side of the square that shows
    } cases[] = {{"w = 0: natural size", 0, 40, 16},
                 {"h = 0: natural size", 40, 0, 16},
                 {"double size", 32, 32, 32}};
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        Canvas canvas(60, 60, blue);
        Drawing drawing(nullptr);
        drawing.Borrow(canvas.dc);
        drawing.StretchBitmapTransparent(4, 4, c.w, c.h, picture);
        const int half = c.drawn / 2;
        EXPECT_EQ(canvas.Count(4, 4, half, c.drawn, blue), half * c.drawn);
        EXPECT_EQ(canvas.Count(4 + half, 4, half, c.drawn, RGB(0, 255, 0)), half * c.drawn);
        EXPECT_EQ(canvas.Count(0, 0, 60, 60, RGB(0, 255, 0)), half * c.drawn);
    }
    DeleteObject(picture);
}

TEST(Drawing, WriteTextClippedToItsBoxOrUnclippedWithoutAWidth) {
    const std::string longText(40, 'W');
    {
        Canvas canvas(400, 60, white);
        Drawing drawing(nullptr);
        drawing.Borrow(canvas.dc);
        drawing.WriteText(5, 5, 30, 40, longText, black, 0, nullptr);
        EXPECT_NE(canvas.LeftmostInk(white), -1);
        EXPECT_LE(canvas.RightmostInk(white), 34);
        EXPECT_GE(canvas.LeftmostInk(white), 5);
    }
    {
        Canvas canvas(400, 60, white);
        Drawing drawing(nullptr);
        drawing.Borrow(canvas.dc);
        drawing.WriteText(5, 5, 0, 40, longText, black, 0, nullptr);
        EXPECT_GT(canvas.RightmostInk(white), 100);
        EXPECT_EQ(GetBkMode(canvas.dc), TRANSPARENT);
    }
}

TEST(Drawing, AnAmpersandShowsAsWrittenInABoxAsWithout) {
    // A player called "R&B" reads the same in a clipped cell as unclipped.
    FontSpec font("Arial", 16);
    Canvas clipped(200, 40, white);
    Canvas unclipped(200, 40, white);
    Drawing inBox(nullptr);
    inBox.Borrow(clipped.dc);
    inBox.WriteText(0, 0, 200, 40, std::string("R&B"), black, 0, &font);
    Drawing atPoint(nullptr);
    atPoint.Borrow(unclipped.dc);
    atPoint.WriteText(0, 0, 0, 0, std::string("R&B"), black, 0, &font);
    EXPECT_EQ(clipped.RightmostInk(white), unclipped.RightmostInk(white));
    EXPECT_EQ(clipped.Count(0, 0, 200, 40, black), unclipped.Count(0, 0, 200, 40, black));
}

TEST(Drawing, WriteTextAlignsEachLineButStartsAtTheTop) {
    FontSpec font("Arial", 16);
    struct Case {
        const char *name;
        int alignment;
        int minLeft, maxRight; // where the ink may lie in a 300-wide box at x 0
    } cases[] = {{"left", 0, 0, 60},
                 {"right", 1, 240, 299},
                 {"centre", 2, 110, 190},
                 {"unknown means left", 7, 0, 60}};
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        Canvas canvas(300, 120, white);
        Drawing drawing(nullptr);
        drawing.Borrow(canvas.dc);
        drawing.WriteText(0, 0, 300, 120, std::string("IIII"), red, c.alignment, &font);
        EXPECT_GE(canvas.LeftmostInk(white), c.minLeft);
        EXPECT_LE(canvas.RightmostInk(white), c.maxRight);
        EXPECT_LE(canvas.BottomInk(white), drawing.TextHeight(&font)); // top, not centred
        EXPECT_GT(canvas.Count(0, 0, 300, 120, red), 0);
        EXPECT_EQ(GetTextColor(canvas.dc), black); // colour given back
    }
    // A line end starts a new line; nothing else breaks the text.
    Canvas canvas(300, 120, white);
    Drawing drawing(nullptr);
    drawing.Borrow(canvas.dc);
    const int line = drawing.TextHeight(&font);
    drawing.WriteText(0, 0, 300, 120, std::string("I\r\nI"), black, 0, &font);
    EXPECT_GT(canvas.BottomInk(white), line);
    EXPECT_LE(canvas.BottomInk(white), 2 * line);
}

TEST(Drawing, TextLongerThanTheBufferIsCutNotOverrun) {
    FontSpec font("Arial", 16);
    Canvas canvas(200, 60, white);
    Drawing drawing(nullptr);
    drawing.Borrow(canvas.dc);
    // Far more than the 1023 units that are kept; what shows is its start.
    const std::wstring text = L"I" + std::wstring(5000, L' ');
    drawing.WriteText(0, 0, 0, 0, text, black, 0, &font);
    drawing.WriteText(0, 20, 200, 40, text, black, 0, &font);
    EXPECT_GT(canvas.Count(0, 0, 200, 20, black), 0);
    EXPECT_GT(canvas.Count(0, 20, 200, 40, black), 0);
}

TEST(Drawing, TextHeightNeedsAContextAndAFont) {
    FontSpec font("Arial", 20);
    Drawing unbound(nullptr);
    EXPECT_EQ(unbound.TextHeight(&font), -1);
    Canvas canvas(10, 10, white);
    Drawing drawing(nullptr);
    drawing.Borrow(canvas.dc);
    EXPECT_EQ(drawing.TextHeight(nullptr), -1);
    const std::int32_t height = drawing.TextHeight(&font);
    EXPECT_GE(height, 18);
    EXPECT_LE(height, 26);
    // The previous font is selected back.
    EXPECT_NE(GetCurrentObject(canvas.dc, OBJ_FONT), font.Handle());
}

TEST(Drawing, EndAfterBorrowLeavesTheContextToItsOwner) {
    Canvas canvas(10, 10, white);
    {
        Drawing drawing(nullptr);
        drawing.Borrow(canvas.dc);
        drawing.End();
        EXPECT_EQ(drawing.dc, nullptr);
        EXPECT_FALSE(drawing.borrowed);
        drawing.FillBox(0, 0, 10, 10, red); // no context: nothing happens
        drawing.End();                      // a second End does nothing
        drawing.Borrow(canvas.dc);          // the destructor ends it again
    }
    EXPECT_EQ(GetObjectType(canvas.dc), static_cast<DWORD>(OBJ_MEMDC));
    EXPECT_EQ(canvas.At(3, 3), white);
    SetPixel(canvas.dc, 3, 3, blue);
    EXPECT_EQ(canvas.At(3, 3), blue);
}

TEST(Drawing, WithoutAContextNothingIsDrawnOrReported) {
    CountingDrawing drawing;
    HBITMAP strip = Strip(27, {red});
    drawing.FillBox(0, 0, 5, 5, red);
    drawing.OutlineBox(0, 0, 5, 5, red);
    drawing.WriteText(0, 0, 5, 5, std::string("x"), red, 0, nullptr);
    drawing.CopyBitmap(0, 0, 5, 5, strip, 0, 0);
    drawing.CopyBitmapTransparent(0, 0, 5, 5, strip, 0, 0);
    drawing.StretchBitmapTransparent(0, 0, 5, 5, strip);
    EXPECT_EQ(drawing.failures, 0);
    DeleteObject(strip);
}

TEST(Drawing, LoadBitmapFileReadsAFileOrGivesNone) {
    EXPECT_EQ(Drawing::LoadBitmapFile("C:\\no\\such\\file.bmp"), nullptr);

    // Write a small 24-bit file and read it back.
    const int w = 3, h = 2;
    const int stride = 12; // 3 * 3 bytes, padded to 4
    BITMAPFILEHEADER file{};
    BITMAPINFOHEADER info{};
    info.biSize = sizeof(info);
    info.biWidth = w;
    info.biHeight = h;
    info.biPlanes = 1;
    info.biBitCount = 24;
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof(file) + sizeof(info);
    file.bfSize = file.bfOffBits + stride * h;
    wchar_t folder[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, folder);
    const std::wstring path = std::wstring(folder) + L"corvanta-drawing-test.bmp";
    HANDLE handle = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(handle, INVALID_HANDLE_VALUE);
    DWORD written = 0;
    WriteFile(handle, &file, sizeof(file), &written, nullptr);
    WriteFile(handle, &info, sizeof(info), &written, nullptr);
    const unsigned char pixels[stride * 2] = {0, 0, 255, 0, 0, 255, 0, 0, 255};
    WriteFile(handle, pixels, sizeof(pixels), &written, nullptr);
    CloseHandle(handle);

    HBITMAP loaded = Drawing::LoadBitmapFile(Narrow(path));
    ASSERT_NE(loaded, nullptr);
    DIBSECTION section{};
    EXPECT_EQ(GetObjectW(loaded, sizeof(section), &section), static_cast<int>(sizeof(section)));
    EXPECT_EQ(section.dsBm.bmWidth, w);
    EXPECT_EQ(section.dsBm.bmHeight, h);
    DeleteObject(loaded);
    DeleteFileW(path.c_str());
}

TEST(Drawing, PaintCycleOfAWindow) {
    struct Painted : Form {
        Painted() : Form(GetModuleHandleW(nullptr), false) {}
    } form;
    int painted = 0;
    form.onPaint = [&](GUIElement *element) {
        Drawing drawing(element);
        drawing.Begin();
        EXPECT_NE(drawing.dc, nullptr);
        EXPECT_FALSE(drawing.borrowed);
        drawing.FillBox(0, 0, 20, 20, red);
        ++painted;
    };
    form.Create();
    RedrawWindow(form.window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    EXPECT_GE(painted, 1);
    // The cycle was ended: nothing is left to paint.
    EXPECT_FALSE(GetUpdateRect(form.window, nullptr, FALSE));
}

TEST(Drawing, ThousandsOfCallsLeaveNoGdiObjectsBehind) {
    HBITMAP strip = Strip(27, {yellow, red, blue});
    FontSpec font("Arial", 14);
    Canvas canvas(100, 60, white);
    Drawing drawing(nullptr);
    drawing.Borrow(canvas.dc);
    drawing.TextHeight(&font); // the font's own handle is made once, up front
    const unsigned before = ProbeHandle();
    for (int i = 0; i < 3000; ++i) {
        drawing.FillBox(0, 0, 30, 30, RGB(i % 256, 0, 0));
        drawing.OutlineBox(0, 0, 30, 30, blue);
        drawing.WriteText(0, 0, 80, 20, std::string("Punti 12"), black, 2, &font);
        drawing.WriteText(0, 0, 0, 0, std::string("Livello"), black, 0, nullptr);
        drawing.TextHeight(&font);
        drawing.CopyBitmap(0, 0, 27, 27, strip, 27, 0);
        drawing.CopyBitmapTransparent(30, 0, 27, 27, strip, 54, 0);
        drawing.StretchBitmapTransparent(60, 0, 20, 20, strip);
    }
    EXPECT_EQ(ProbeHandle(), before);
    DeleteObject(strip);
}

TEST(Drawing, TheProbeSeesALeak) {
    // The method itself: objects left behind make the probe climb.
    const unsigned before = ProbeHandle();
    HBRUSH leaked[20];
    for (HBRUSH &brush : leaked)
        brush = CreateSolidBrush(RGB(9, 9, 9));
    EXPECT_NE(ProbeHandle(), before);
    // Freed slots are handed out again last-freed first: free in reverse.
    for (int i = 19; i >= 0; --i)
        DeleteObject(leaked[i]);
    EXPECT_EQ(ProbeHandle(), before);
}

} // namespace
