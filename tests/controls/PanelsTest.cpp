// Panels, tile frames and text cells on real windows.
#include "toolkit/controls/Panels.h"
#include "tests/controls/Support.h"
#include "toolkit/controls/Label.h"

#include <gtest/gtest.h>

namespace ControlsTest {
namespace {

constexpr COLORREF Black = RGB(0, 0, 0);
constexpr COLORREF Blue = RGB(0, 0, 255);
constexpr COLORREF White = RGB(255, 255, 255);

std::unique_ptr<PanelChildren> MakePanel(GUIElement *parent, int atX, int atY, int w, int h,
                                         COLORREF back = NoColor) {
    auto panel = std::make_unique<PanelChildren>(parent);
    panel->x = atX;
    panel->y = atY;
    panel->SetSize(w, h);
    panel->backColor = back;
    return panel;
}

// --- PanelChildren ---

TEST(Panel, EachRegistersItsOwnClassWithItsOwnBackground) {
    auto form = MakeForm();
    auto red = MakePanel(form.get(), 0, 0, 60, 40, RGB(255, 0, 0));
    auto green = MakePanel(form.get(), 80, 0, 60, 40, RGB(0, 255, 0));
    const std::int32_t counter = CurrentIdCounter();
    red->Create();
    green->Create();
    EXPECT_EQ(red->id, counter + 1);
    EXPECT_EQ(green->id, counter + 2);
    wchar_t name[64] = {};
    GetClassNameW(red->window, name, 64);
    EXPECT_EQ(std::wstring(name), L"PanelChildren" + std::to_wstring(counter));
    GetClassNameW(green->window, name, 64);
    EXPECT_EQ(std::wstring(name), L"PanelChildren" + std::to_wstring(counter + 1));
    EXPECT_EQ(GetDlgCtrlID(red->window), red->id);
    EXPECT_TRUE(IsWindowVisible(red->window));
    EXPECT_EQ(PixelAt(red->window, 30, 20), RGB(255, 0, 0));
    EXPECT_EQ(PixelAt(green->window, 30, 20), RGB(0, 255, 0));
}

TEST(Panel, StyleFollowsItsFlags) {
    auto form = MakeForm();
    struct Case {
        const char *name;
        std::function<void(PanelChildren &)> configure;
        DWORD on, off, extendedOn, extendedOff;
    };
    const Case cases[] = {
        {"plain", [](PanelChildren &) {}, WS_CHILD | WS_VISIBLE | WS_TABSTOP,
         WS_BORDER | WS_VSCROLL | WS_HSCROLL, 0, WS_EX_CLIENTEDGE},
        {"sunken border",
         [](PanelChildren &p) {
             p.border = true;
             p.tabStop = false;
         },
         WS_BORDER, WS_TABSTOP, WS_EX_CLIENTEDGE, 0},
        {"flat border",
         [](PanelChildren &p) {
             p.border = true;
             p.flatBorder = true;
         },
         WS_BORDER, 0, 0, WS_EX_CLIENTEDGE},
        {"bars",
         [](PanelChildren &p) {
             p.verticalScrollBar = true;
             p.horizontalScrollBar = true;
         },
         WS_VSCROLL | WS_HSCROLL, 0, 0, 0},
        {"floating", [](PanelChildren &p) { p.floating = true; }, 0, WS_CHILD | WS_VISIBLE,
         WS_EX_TOOLWINDOW | WS_EX_DLGMODALFRAME, 0},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        auto panel = MakePanel(form.get(), 0, 0, 50, 50);
        c.configure(*panel);
        panel->Create();
        ASSERT_NE(panel->window, nullptr);
        const DWORD style = static_cast<DWORD>(GetWindowLongPtrW(panel->window, GWL_STYLE));
        const DWORD extended = static_cast<DWORD>(GetWindowLongPtrW(panel->window, GWL_EXSTYLE));
        EXPECT_EQ(style & c.on, c.on);
        EXPECT_EQ(style & c.off, 0u);
        EXPECT_EQ(extended & c.extendedOn, c.extendedOn);
        EXPECT_EQ(extended & c.extendedOff, 0u);
        EXPECT_EQ(GetParent(panel->window),
                  c.name == std::string("floating") ? nullptr : form->window);
        DestroyWindow(panel->window);
    }
}

TEST(Panel, SetBorderChangesTheFrameOfAWindow) {
    auto form = MakeForm();
    auto panel = MakePanel(form.get(), 0, 0, 50, 50);
    panel->Create();
    panel->SetBorder(true, false);
    EXPECT_NE(GetWindowLongPtrW(panel->window, GWL_STYLE) & WS_BORDER, 0);
    EXPECT_NE(GetWindowLongPtrW(panel->window, GWL_EXSTYLE) & WS_EX_CLIENTEDGE, 0);
    RECT client{};
    GetClientRect(panel->window, &client);
    EXPECT_LT(client.right, 50) << "the frame takes room at once";
    panel->SetBorder(true, true);
    EXPECT_EQ(GetWindowLongPtrW(panel->window, GWL_EXSTYLE) & WS_EX_CLIENTEDGE, 0);
}

TEST(Panel, ScrollRangeGivesAPageOfATenth) {
    auto form = MakeForm();
    struct Case {
        int minimum, maximum;
        UINT page;
    };
    for (const Case c : {Case{0, 5, 0}, Case{0, 100, 10}, Case{-20, 30, 5}}) {
        SCOPED_TRACE(c.maximum);
        auto panel = MakePanel(form.get(), 0, 0, 80, 80);
        panel->verticalScrollBar = true;
        panel->horizontalScrollBar = true;
        panel->Create();
        panel->SetScrollRange(c.minimum, c.maximum);
        for (int bar : {SB_VERT, SB_HORZ}) {
            SCROLLINFO info{};
            info.cbSize = sizeof(info);
            info.fMask = SIF_ALL;
            ASSERT_TRUE(GetScrollInfo(panel->window, bar, &info));
            EXPECT_EQ(info.nMin, c.minimum);
            EXPECT_EQ(info.nMax, c.maximum);
            EXPECT_EQ(info.nPage, c.page);
        }
        DestroyWindow(panel->window);
    }
}

TEST(Panel, AnswersColourRequestsOfItsControls) {
    auto form = MakeForm();
    auto panel = MakePanel(form.get(), 0, 0, 200, 100, RGB(0, 0, 128));
    panel->panelColor = RGB(250, 240, 0);
    panel->textColor = RGB(0, 90, 0);
    panel->Create();
    Label label(panel.get(), "");
    label.x = 10;
    label.y = 10;
    label.Create();
    // The label paints its background with the brush the panel handed out.
    EXPECT_EQ(PixelAt(label.window, 5, 5), RGB(250, 240, 0));

    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    ReleaseDC(nullptr, screen);
    HBRUSH first = panel->HandleControlColor(dc);
    EXPECT_EQ(GetBkColor(dc), RGB(250, 240, 0));
    EXPECT_EQ(GetTextColor(dc), RGB(0, 90, 0));
    HBRUSH second = panel->HandleControlColor(dc);
    EXPECT_EQ(GetObjectType(first), 0u) << "the brush of the last request is freed";
    EXPECT_EQ(panel->colorBrush, second);

    // Without its own colour for the controls: the panel's background.
    panel->panelColor = NoColor;
    panel->textColor = NoColor;
    SetTextColor(dc, RGB(1, 2, 3));
    panel->HandleControlColor(dc);
    EXPECT_EQ(GetBkColor(dc), RGB(0, 0, 128));
    EXPECT_EQ(GetTextColor(dc), RGB(1, 2, 3));

    // Without any colour: the system's brush, which is not the panel's to free.
    panel->backColor = NoColor;
    EXPECT_EQ(panel->HandleControlColor(dc), GetSysColorBrush(COLOR_BTNFACE));
    EXPECT_EQ(panel->colorBrush, nullptr);
    panel->HandleControlColor(dc);
    LOGBRUSH system{};
    EXPECT_NE(GetObjectW(GetSysColorBrush(COLOR_BTNFACE), sizeof(system), &system), 0);

    panel->customColors = false;
    EXPECT_EQ(panel->HandleControlColor(dc), nullptr);
    DeleteDC(dc);
}

// A panel with a vertical bar, range 0 .. 100 (page 10), and a label at y 50.
class Scrolling : public testing::Test {
protected:
    void SetUp() override {
        panel = MakePanel(form.get(), 0, 0, 200, 150);
        panel->verticalScrollBar = true;
        panel->onVerticalScroll = [this](PanelChildren *scrolled, int delta) {
            EXPECT_EQ(scrolled, panel.get());
            deltas.push_back(delta);
        };
        panel->onHorizontalScroll = [this](PanelChildren *, int delta) {
            horizontalDeltas.push_back(delta);
        };
        panel->Create();
        label = std::make_unique<Label>(panel.get(), "riga");
        label->x = 10;
        label->y = 50;
        label->Create();
    }
    int Position() {
        SCROLLINFO info{};
        info.cbSize = sizeof(info);
        info.fMask = SIF_POS;
        GetScrollInfo(panel->window, SB_VERT, &info);
        return info.nPos;
    }
    int LabelTop() { return label->RefreshPosition().y; }

    FormLease form;
    std::unique_ptr<PanelChildren> panel;
    std::unique_ptr<Label> label;
    std::vector<int> deltas;
    std::vector<int> horizontalDeltas;
};

TEST_F(Scrolling, ByTheBarStaysInTheRangeAndMovesOnlyWhatTheBarMoved) {
    struct Step {
        const char *name;
        int request;
        int position;
        std::vector<int> deltas; // handler calls: old - requested
    };
    const Step steps[] = {
        {"line down", SB_LINEDOWN, 1, {-1}},
        {"page down", SB_PAGEDOWN, 11, {-10}},
        {"bottom: the bar stops at max - page + 1", SB_BOTTOM, 91, {-89}},
        {"past the end: handler called, nothing moves", SB_LINEDOWN, 91, {-1}},
        {"thumb position: no request", SB_THUMBPOSITION, 91, {}},
        {"end of scrolling: no request", SB_ENDSCROLL, 91, {}},
        {"page up", SB_PAGEUP, 81, {10}},
        {"top", SB_TOP, 0, {81}},
        {"before the start", SB_LINEUP, 0, {1}},
    };
    for (const Step &step : steps) {
        SCOPED_TRACE(step.name);
        deltas.clear();
        EXPECT_EQ(SendMessageW(panel->window, WM_VSCROLL, step.request, 0), 0);
        EXPECT_EQ(Position(), step.position);
        EXPECT_EQ(deltas, step.deltas);
        EXPECT_EQ(LabelTop(), 50 - step.position);
    }
}

TEST(PanelScrolling, TheHorizontalBarMovesTheContentsSideways) {
    auto form = MakeForm();
    auto panel = MakePanel(form.get(), 0, 0, 200, 150);
    panel->horizontalScrollBar = true;
    std::vector<int> deltas;
    panel->onHorizontalScroll = [&](PanelChildren *, int delta) { deltas.push_back(delta); };
    panel->Create();
    Label label(panel.get(), "riga");
    label.x = 50;
    label.y = 10;
    label.Create();
    SendMessageW(panel->window, WM_HSCROLL, SB_PAGERIGHT, 0);
    EXPECT_EQ(label.RefreshPosition().x, 40);
    // The horizontal bar has no ends to jump to: 6 and 7 leave it alone.
    SendMessageW(panel->window, WM_HSCROLL, SB_RIGHT, 0);
    SendMessageW(panel->window, WM_HSCROLL, SB_LEFT, 0);
    EXPECT_EQ(label.RefreshPosition().x, 40);
    SendMessageW(panel->window, WM_HSCROLL, SB_LINELEFT, 0);
    EXPECT_EQ(label.RefreshPosition().x, 41);
    EXPECT_EQ(deltas, (std::vector<int>{-10, 1}));
    // Without a vertical bar, vertical requests go on unhandled.
    SendMessageW(panel->window, WM_VSCROLL, SB_LINEDOWN, 0);
    EXPECT_EQ(label.RefreshPosition().y, 10);
}

TEST_F(Scrolling, WithoutAHorizontalBarTheMessageGoesOn) {
    SendMessageW(panel->window, WM_HSCROLL, SB_LINEDOWN, 0);
    EXPECT_TRUE(horizontalDeltas.empty());
    EXPECT_EQ(LabelTop(), 50);
}

TEST_F(Scrolling, TheWheelMovesAPage) {
    SendMessageW(panel->window, WM_MOUSEWHEEL, MAKEWPARAM(0, -WHEEL_DELTA), 0);
    EXPECT_EQ(Position(), 10);
    SendMessageW(panel->window, WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA), 0);
    EXPECT_EQ(Position(), 0);
    EXPECT_EQ(deltas, (std::vector<int>{-10, 10}));
    EXPECT_EQ(LabelTop(), 50);
}

TEST_F(Scrolling, TheWheelElsewhereGoesToTheRememberedPanel) {
    SendMessageW(panel->window, WM_VSCROLL, SB_LINEDOWN, 0); // remembered from now on
    deltas.clear();
    SendMessageW(form->window, WM_MOUSEWHEEL, MAKEWPARAM(0, -WHEEL_DELTA), 0);
    EXPECT_EQ(Position(), 11);
    EXPECT_EQ(deltas, std::vector<int>{-10});

    // A left press on the form forgets it.
    SendMessageW(form->window, WM_LBUTTONDOWN, 0, MAKELPARAM(300, 300));
    SendMessageW(form->window, WM_MOUSEWHEEL, MAKEWPARAM(0, -WHEEL_DELTA), 0);
    EXPECT_EQ(Position(), 11);

    // A deleted panel is never reached again.
    SendMessageW(panel->window, WM_VSCROLL, SB_LINEDOWN, 0);
    label.reset();
    panel.reset();
    SendMessageW(form->window, WM_MOUSEWHEEL, MAKEWPARAM(0, -WHEEL_DELTA), 0);
    SUCCEED();
}

TEST_F(Scrolling, TheWheelOverAPanelWithoutBarDoesNothing) {
    SendMessageW(form->window, WM_LBUTTONDOWN, 0, MAKELPARAM(300, 300)); // nothing remembered
    auto plain = MakePanel(form.get(), 250, 0, 100, 100);
    std::vector<int> plainDeltas;
    plain->onVerticalScroll = [&](PanelChildren *, int delta) { plainDeltas.push_back(delta); };
    plain->Create();
    SendMessageW(plain->window, WM_MOUSEWHEEL, MAKEWPARAM(0, -WHEEL_DELTA), 0);
    EXPECT_TRUE(plainDeltas.empty());
    EXPECT_TRUE(deltas.empty());
    EXPECT_EQ(Position(), 0);
}

// --- ImageFrame ---

// A strip whose every pixel tells where it came from; never black.
COLORREF StripColor(int column, int row) {
    return RGB(column & 0xFF, (column >> 8) * 100 + row + 1, 77);
}

// Tile 0 all black; tile 1 black with a ball: a 9 x 9 square at 9 .. 17.
constexpr COLORREF Ball = RGB(250, 200, 0);
COLORREF BallStripColor(int column, int row) {
    const int inTile = column % 27;
    const bool ball = column / 27 == 1 && inTile >= 9 && inTile <= 17 && row >= 9 && row <= 17;
    return ball ? Ball : Black;
}

std::unique_ptr<ImageFrame> MakeFrame(GUIElement *parent, HBITMAP strip, int column, int row,
                                      int size, COLORREF back) {
    auto frame = std::make_unique<ImageFrame>(parent, strip, column, row);
    frame->x = 10;
    frame->y = 10;
    frame->SetSize(size, size);
    frame->backColor = back;
    return frame;
}

TEST(Frame, PaintsTheTileOfItsOwnSizeFromTheStrip) {
    auto form = MakeForm();
    HBITMAP strip = MakeBitmap(324, 54, StripColor);
    struct Case {
        int column, row, size;
    };
    for (const Case c : {Case{0, 0, 27}, Case{5, 0, 27}, Case{11, 0, 27}, Case{3, 1, 27},
                         Case{4, 0, 20}, Case{2, 1, 20}}) {
        SCOPED_TRACE(testing::Message() << c.column << "," << c.row << " size " << c.size);
        auto frame = MakeFrame(form.get(), strip, c.column, c.row, c.size, Black);
        frame->transparent = false;
        frame->Create();
        EXPECT_EQ(frame->tabStop, false);
        EXPECT_EQ(GetWindowLongPtrW(frame->window, GWL_STYLE) & WS_TABSTOP, 0);
        Snapshot shot(frame->window);
        for (POINT p : {POINT{0, 0}, POINT{c.size - 1, c.size - 1}, POINT{7, 3}})
            EXPECT_EQ(shot.At(p.x, p.y), StripColor(c.column * c.size + p.x, c.row * c.size + p.y));
        DestroyWindow(frame->window);
    }
    DeleteObject(strip);
}

TEST(Frame, ChangingTheTileLeavesNoTrace) {
    auto form = MakeForm();
    HBITMAP strip = MakeBitmap(324, 27, BallStripColor);
    auto frame = MakeFrame(form.get(), strip, 1, 0, 27, Black);
    frame->Create();
    EXPECT_EQ(PixelAt(frame->window, 13, 13), Ball);
    frame->SetTile(0, 0);
    Snapshot shot(frame->window);
    EXPECT_EQ(shot.Count(Black), 27 * 27);
    frame->SetTile(1, 0);
    EXPECT_EQ(PixelAt(frame->window, 13, 13), Ball);
    DeleteObject(strip);
}

TEST(Frame, TransparentTileShowsTheBackgroundAroundTheBall) {
    auto form = MakeForm();
    HBITMAP strip = MakeBitmap(324, 27, BallStripColor);
    auto classBrush = MakeFrame(form.get(), strip, 1, 0, 27, Blue);
    classBrush->Create();
    Snapshot first(classBrush->window);
    EXPECT_EQ(first.At(13, 13), Ball);
    EXPECT_EQ(first.At(2, 2), Blue);
    EXPECT_EQ(first.At(26, 26), Blue);

    // A colour painted after creation: the tile is still painted over it,
    // and later paints do not cover the tile with the background again.
    auto painted = MakeFrame(form.get(), strip, 1, 0, 27, Black);
    painted->Create();
    painted->SetBackColor(Blue);
    painted->SetTile(1, 0);
    Snapshot second(painted->window);
    EXPECT_EQ(second.At(13, 13), Ball);
    EXPECT_EQ(second.At(2, 2), Blue);
    InvalidateRect(painted->window, nullptr, FALSE);
    EXPECT_EQ(PixelAt(painted->window, 13, 13), Ball);
    int paints = 0;
    painted->onPaint = [&](GUIElement *) { ++paints; };
    InvalidateRect(painted->window, nullptr, FALSE);
    UpdateWindow(painted->window);
    EXPECT_EQ(paints, 1);
    EXPECT_EQ(PixelAt(painted->window, 13, 13), Ball);
    DeleteObject(strip);
}

// --- CellControl ---

int LineHeight(const char *face, int size) {
    FontSpec font(face, size);
    HDC screen = GetDC(nullptr);
    HGDIOBJ old = SelectObject(screen, font.Handle());
    TEXTMETRICW metrics{};
    GetTextMetricsW(screen, &metrics);
    SelectObject(screen, old);
    ReleaseDC(nullptr, screen);
    return metrics.tmHeight;
}

std::unique_ptr<CellControl> MakeCell(GUIElement *parent, int w, int h) {
    auto cell = std::make_unique<CellControl>(parent);
    cell->x = 10;
    cell->y = 10;
    cell->SetSize(w, h);
    cell->backColor = Blue;
    cell->textColor = White;
    return cell;
}

// Advance width of the text in the cell's default font.
int TextWidth(const wchar_t *text) {
    FontSpec font("Tahoma", 14);
    HDC screen = GetDC(nullptr);
    HGDIOBJ old = SelectObject(screen, font.Handle());
    SIZE size{};
    GetTextExtentPoint32W(screen, text, static_cast<int>(wcslen(text)), &size);
    SelectObject(screen, old);
    ReleaseDC(nullptr, screen);
    return size.cx;
}

TEST(Cell, PlacesItsTextByAlignment) {
    auto form = MakeForm();
    const int lineHeight = LineHeight("Tahoma", 14);
    const int textWidth = TextWidth(L"MMMM");
    ASSERT_GT(lineHeight, 0);
    struct Case {
        const char *name;
        int align;
        int start; // where the text's box starts
    };
    const Case cases[] = {{"left", 0, 0},
                          {"right", 1, 200 - textWidth},
                          {"centre", 2, (200 - textWidth) / 2},
                          {"anything else is left", 7, 0}};
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        auto cell = MakeCell(form.get(), 200, 40);
        cell->textAlign = c.align;
        cell->SetText(NarrowText("MMMM")); // before the window: stored, shown at the first paint
        cell->Create();
        Snapshot shot(cell->window);
        const RECT ink = shot.Box([](COLORREF p) { return p != Blue; });
        ASSERT_LE(ink.left, ink.right) << "the text shows";
        // The glyphs' own bearings: a pixel or two inside the text's box.
        EXPECT_GE(ink.left, c.start);
        EXPECT_LE(ink.left, c.start + 3);
        EXPECT_LE(ink.right, c.start + textWidth);
        const int top = (40 - lineHeight) / 2;
        EXPECT_GE(ink.top, top);
        EXPECT_LT(ink.bottom, top + lineHeight);
        DestroyWindow(cell->window);
    }
}

TEST(Cell, NewTextAndColourRepaintTheWholeCell) {
    auto form = MakeForm();
    auto cell = MakeCell(form.get(), 200, 40);
    cell->textAlign = 0;
    cell->Create();
    cell->SetText(NarrowText("MMMMMMMMMMMM"));
    const RECT wide = Snapshot(cell->window).Box([](COLORREF p) { return p != Blue; });
    cell->SetText(WideText(L"M"));
    const RECT narrow = Snapshot(cell->window).Box([](COLORREF p) { return p != Blue; });
    EXPECT_LT(narrow.right, wide.right) << "the old text is erased";
    cell->SetTextColor(RGB(255, 0, 0));
    EXPECT_GT(Snapshot(cell->window).Count(RGB(255, 0, 0)), 0);
    cell->SetTextAlign(1);
    const RECT right = Snapshot(cell->window).Box([](COLORREF p) { return p != Blue; });
    EXPECT_GT(right.left, 150);
}

TEST(Cell, EmptyTextPaintsOnlyBackgroundAndMarker) {
    auto form = MakeForm();
    const int lineHeight = LineHeight("Tahoma", 14);
    auto cell = MakeCell(form.get(), 120, 60);
    cell->Create();
    EXPECT_EQ(Snapshot(cell->window).Count(Blue), 120 * 60);
    cell->marker = true;
    InvalidateRect(cell->window, nullptr, TRUE);
    Snapshot shot(cell->window);
    const RECT ink = shot.Box([](COLORREF p) { return p != Blue; });
    ASSERT_LE(ink.left, ink.right) << "the marker shows";
    EXPECT_GE(ink.left, 120 - lineHeight);
    EXPECT_GE(ink.top, 60 - lineHeight);
}

TEST(Cell, PlacesItsPictureByItsAlignment) {
    auto form = MakeForm();
    constexpr COLORREF Green = RGB(0, 200, 0);
    HBITMAP picture = MakeBitmap(10, 10, [](int, int) { return Green; });
    struct Case {
        const char *name;
        int align, width, height;
        int left, drawnWidth;
    };
    const Case cases[] = {
        {"right, natural size", 1, 0, 0, 100 - 10 - 3, 10},
        {"centre, natural size", 2, 0, 0, (100 - 10) / 2, 10},
        {"left, natural size", 0, 0, 0, 3, 10},
        {"right, doubled", 1, 20, 20, 100 - 20 - 3, 20},
        {"centre, doubled", 2, 20, 20, (100 - 20) / 2, 20},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        auto cell = MakeCell(form.get(), 100, 40);
        cell->picture = picture;
        cell->pictureAlign = c.align;
        cell->pictureWidth = c.width;
        cell->pictureHeight = c.height;
        cell->Create();
        const RECT box = Snapshot(cell->window).BoxIn(Green, RECT{0, 0, 100, 40});
        EXPECT_EQ(box.left, c.left);
        EXPECT_EQ(box.right - box.left + 1, c.drawnWidth);
        EXPECT_EQ(box.top, (40 - c.drawnWidth) / 2);
        DestroyWindow(cell->window);
    }
    DeleteObject(picture);
}

TEST(Cell, UsesTheElementFontWhenSet) {
    auto form = MakeForm();
    FontSpec big("Arial", 30);
    auto small = MakeCell(form.get(), 200, 60);
    small->SetText(NarrowText("MMM"));
    small->Create();
    auto large = MakeCell(form.get(), 200, 60);
    large->y = 100;
    large->font = &big;
    large->SetText(NarrowText("MMM"));
    large->Create();
    const RECT smallInk = Snapshot(small->window).Box([](COLORREF p) { return p != Blue; });
    const RECT largeInk = Snapshot(large->window).Box([](COLORREF p) { return p != Blue; });
    EXPECT_GT(largeInk.bottom - largeInk.top, smallInk.bottom - smallInk.top + 4);
}

} // namespace
} // namespace ControlsTest
