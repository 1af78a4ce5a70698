// Repainting thousands of times leaves no GDI object behind. Wine's
// GetGuiResources answers 0, so a fresh probe brush's handle slot tells:
// freed slots are used again, and leaked ones make the probe climb.
#include "tests/controls/Support.h"
#include "toolkit/controls/Button.h"
#include "toolkit/controls/Panels.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace ControlsTest {
namespace {

constexpr int Rounds = 10000;

// How far the probe climbed, counting its 16 bits round. Wine's own caches
// (device contexts, window surfaces) take and give back a few handles while
// windows paint, so the probe may move by a handful either way; a leak in
// the paint moves it by thousands over the rounds.
int Climb(unsigned before, unsigned after) {
    return static_cast<std::int16_t>(static_cast<std::uint16_t>(after - before));
}
constexpr int Slack = 64;

// Number of live GDI objects of this process. Windows counts them itself;
// Wine's count is a stub answering 0, but Wine takes a handle's 16-bit slot
// number alone as the handle, so every slot can be asked whether it holds an
// object.
int LiveGdiObjects() {
    if (DWORD counted = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS))
        return static_cast<int>(counted);
    int live = 0;
    for (std::uintptr_t slot = 1; slot < 0x10000; ++slot)
        live += GetObjectType(reinterpret_cast<HGDIOBJ>(slot)) != 0 ? 1 : 0;
    return live;
}

TEST(NoLeaks, TheProbeSeesALeak) {
    const unsigned before = ProbeHandle();
    std::vector<HBRUSH> kept;
    for (int i = 0; i < 500; ++i)
        kept.push_back(CreateSolidBrush(RGB(i % 256, i / 256, 0)));
    EXPECT_GT(Climb(before, ProbeHandle()), Slack);
    const int live = LiveGdiObjects();
    HBRUSH one = CreateSolidBrush(RGB(4, 5, 6));
    EXPECT_EQ(LiveGdiObjects(), live + 1) << "the count sees a single object";
    DeleteObject(one);
    for (HBRUSH brush : kept)
        DeleteObject(brush);
}

TEST(NoLeaks, FrameTileChanges) {
    auto form = MakeForm();
    HBITMAP strip = MakeBitmap(324, 27, [](int column, int) {
        return column % 27 < 10 ? RGB(0, 0, 0) : RGB(column % 256, 90, 20);
    });
    ImageFrame transparent(form.get(), strip, 1, 0);
    transparent.SetSize(27, 27);
    transparent.backColor = RGB(0, 0, 0);
    transparent.Create();
    ImageFrame plain(form.get(), strip, 1, 0);
    plain.x = 40;
    plain.SetSize(27, 27);
    plain.transparent = false;
    plain.Create();
    plain.SetBackColor(RGB(0, 0, 255)); // the painted-background path too
    // Each round changes one of the two frames.
    auto round = [&](int i) {
        ImageFrame &frame = i % 2 == 0 ? transparent : plain;
        frame.SetTile(i % 12, 0);
        UpdateWindow(frame.window);
    };
    for (int i = 0; i < 50; ++i)
        round(i);
    const unsigned before = ProbeHandle();
    const int live = LiveGdiObjects();
    int paints = 0;
    transparent.onPaint = [&](GUIElement *) { ++paints; };
    for (int i = 0; i < Rounds; ++i)
        round(i);
    EXPECT_EQ(paints, Rounds / 2) << "every change repainted";
    EXPECT_LT(Climb(before, ProbeHandle()), Slack);
    EXPECT_EQ(LiveGdiObjects(), live);
    DeleteObject(strip);
}

TEST(NoLeaks, CellTextChanges) {
    auto form = MakeForm();
    CellControl cell(form.get());
    cell.SetSize(200, 30);
    cell.marker = true;
    cell.Create();
    cell.SetBackColor(RGB(0, 0, 255));
    FontSpec shared("Arial", 22);
    CellControl withFont(form.get());
    withFont.y = 40;
    withFont.SetSize(200, 30);
    withFont.font = &shared;
    withFont.Create();
    // Each round changes one of the two cells.
    auto round = [&](int i) {
        if (i % 2 == 0) {
            cell.SetText(Decimal(i));
            UpdateWindow(cell.window);
        } else {
            withFont.SetText(WideDecimal(i));
            UpdateWindow(withFont.window);
        }
    };
    for (int i = 0; i < 50; ++i)
        round(i);
    const unsigned before = ProbeHandle();
    const int live = LiveGdiObjects();
    int paints = 0;
    cell.onPaint = [&](GUIElement *) { ++paints; };
    for (int i = 0; i < Rounds; ++i)
        round(i);
    EXPECT_EQ(paints, Rounds / 2);
    EXPECT_LT(Climb(before, ProbeHandle()), Slack);
    EXPECT_EQ(LiveGdiObjects(), live);
}

TEST(NoLeaks, OwnerDrawnButtonsAndColourRequests) {
    auto form = MakeForm();
    PanelChildren panel(form.get());
    panel.x = 0;
    panel.y = 0;
    panel.SetSize(300, 100);
    panel.panelColor = RGB(220, 220, 220);
    panel.textColor = RGB(0, 0, 0);
    panel.Create();
    HBITMAP picture = MakeBitmap(
        20, 20, [](int column, int) { return column < 10 ? RGB(0, 0, 0) : RGB(255, 0, 0); });
    Button button(&panel, "GIOCA");
    button.ownerDraw = true;
    button.bitmapEnabled = picture;
    button.SetSize(100, 40);
    button.Create();
    auto round = [&](int) {
        InvalidateRect(button.window, nullptr, TRUE);
        UpdateWindow(button.window);
    };
    for (int i = 0; i < 50; ++i)
        round(i);
    const unsigned before = ProbeHandle();
    const int live = LiveGdiObjects();
    for (int i = 0; i < Rounds / 2; ++i)
        round(i);
    EXPECT_LT(Climb(before, ProbeHandle()), Slack);
    EXPECT_EQ(LiveGdiObjects(), live);
    DeleteObject(picture);
}

} // namespace
} // namespace ControlsTest
