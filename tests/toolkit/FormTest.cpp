#include "tests/toolkit/Support.h"

#include <gtest/gtest.h>

namespace CorvantaTest {
namespace {

class FormTest : public testing::Test {
protected:
    void TearDown() override { ResetLoop(); }
};

struct StyleCase {
    const char *name;
    bool caption, dialogStyle, sizable, minimizeBox, modalFrame, topMost, enabled;
    DWORD style;
    DWORD extended;
};

// The title bar set: visible, caption, system menu, maximize box.
constexpr DWORD titled = 0x10C90000;

const StyleCase styleCases[] = {
    {"plain window", true, false, true, true, false, true, true,
     titled | WS_MINIMIZEBOX | WS_THICKFRAME, 0},
    {"fixed frame, minimize only", true, false, false, true, false, true, true,
     (titled & ~WS_MAXIMIZEBOX) | WS_MINIMIZEBOX, 0},
    {"no boxes", true, false, false, false, false, true, true, titled & ~WS_MAXIMIZEBOX, 0},
    {"no caption: popup", false, false, true, true, false, true, true, WS_POPUP, 0},
    {"dialog ignores caption", false, true, true, true, false, true, true, titled, 0x89},
    {"dialog, modal frame, not sizable", true, true, false, false, true, true, true,
     (titled & ~WS_MAXIMIZEBOX) | DS_MODALFRAME, 0x89},
    {"dialog not topmost", true, true, true, false, false, false, true, titled, 0x81},
    {"disabled", true, false, true, true, false, true, false,
     titled | WS_MINIMIZEBOX | WS_THICKFRAME | WS_DISABLED, 0},
};

TEST_F(FormTest, StyleFromTheFlags) {
    for (const StyleCase &c : styleCases) {
        SCOPED_TRACE(c.name);
        TestForm form(c.dialogStyle);
        form.caption = c.caption;
        form.sizable = c.sizable;
        form.minimizeBox = c.minimizeBox;
        form.modalFrame = c.modalFrame;
        form.topMost = c.topMost;
        form.enabled = c.enabled;
        EXPECT_EQ(form.ComputeStyle(), c.style);
        EXPECT_EQ(form.ComputeExtendedStyle(), c.extended);

        // The real window carries the bits that matter.
        form.Create();
        ASSERT_NE(form.window, nullptr);
        const DWORD real = static_cast<DWORD>(GetWindowLongW(form.window, GWL_STYLE));
        const DWORD realExtended = static_cast<DWORD>(GetWindowLongW(form.window, GWL_EXSTYLE));
        for (DWORD bit : {static_cast<DWORD>(WS_POPUP), static_cast<DWORD>(WS_THICKFRAME),
                          static_cast<DWORD>(WS_MAXIMIZEBOX), static_cast<DWORD>(WS_MINIMIZEBOX),
                          static_cast<DWORD>(WS_SYSMENU), static_cast<DWORD>(WS_DISABLED)})
            EXPECT_EQ(real & bit, c.style & bit) << std::hex << bit;
        EXPECT_EQ((real & WS_CAPTION) == WS_CAPTION, c.caption || c.dialogStyle);
        for (DWORD bit : {static_cast<DWORD>(WS_EX_TOOLWINDOW), static_cast<DWORD>(WS_EX_TOPMOST),
                          static_cast<DWORD>(WS_EX_DLGMODALFRAME)})
            EXPECT_EQ(realExtended & bit, c.extended & bit) << std::hex << bit;
        EXPECT_TRUE(IsWindowVisible(form.window));
        EXPECT_TRUE(form.created);
    }
}

TEST_F(FormTest, ClientSizeAddsTheFrameTheSystemReports) {
    TestForm form;
    form.Create();
    RECT outer{}, client{};
    GetWindowRect(form.window, &outer);
    GetClientRect(form.window, &client);
    const LONG frameWidth = (outer.right - outer.left) - client.right;
    const LONG frameHeight = (outer.bottom - outer.top) - client.bottom;
    EXPECT_GT(frameHeight, 0); // a title bar at least

    form.SetClientSize(640, 480);
    GetWindowRect(form.window, &outer);
    GetClientRect(form.window, &client);
    EXPECT_EQ(client.right, 640);
    EXPECT_EQ(client.bottom, 480);
    EXPECT_EQ(outer.right - outer.left, 640 + frameWidth);
    EXPECT_EQ(outer.bottom - outer.top, 480 + frameHeight);
    EXPECT_EQ(form.width, 640 + frameWidth);
    EXPECT_EQ(form.height, 480 + frameHeight);
}

TEST_F(FormTest, ClientSizeBeforeCreateChangesNothing) {
    TestForm form;
    form.SetClientSize(640, 480);
    EXPECT_EQ(form.width, 320);
    EXPECT_EQ(form.height, 240);
    EXPECT_EQ(form.window, nullptr);
}

TEST_F(FormTest, CenterBeforeCreateStoresThePositionCreateThenUses) {
    TestForm form;
    form.SetSize(301, 201);
    form.CenterOnScreen();
    const int screenWidth = GetSystemMetrics(SM_CXSCREEN);
    const int screenHeight = GetSystemMetrics(SM_CYSCREEN);
    EXPECT_EQ(form.x, (screenWidth - 301) / 2);
    EXPECT_EQ(form.y, (screenHeight - 201) / 2);
    form.Create();
    RECT outer{};
    GetWindowRect(form.window, &outer);
    EXPECT_EQ(outer.left, form.x);
    EXPECT_EQ(outer.top, form.y);
}

TEST_F(FormTest, CenterWithAWindowMovesIt) {
    TestForm form;
    form.Create();
    MoveWindow(form.window, 0, 0, 200, 100, TRUE);
    form.CenterOnScreen();
    RECT outer{};
    GetWindowRect(form.window, &outer);
    EXPECT_EQ(outer.left, (GetSystemMetrics(SM_CXSCREEN) - 200) / 2);
    EXPECT_EQ(outer.top, (GetSystemMetrics(SM_CYSCREEN) - 100) / 2);
    EXPECT_EQ(outer.right - outer.left, 200);
}

TEST_F(FormTest, DeletingALiveFormRunsItsCloseQueryAndDestroysTheWindow) {
    for (bool answer : {true, false}) {
        SCOPED_TRACE(answer ? "query accepts" : "query refuses");
        int queries = 0;
        int destroyedCalls = 0;
        auto *form = new TestForm;
        form->onCloseQuery = [&](GUIElement *) {
            ++queries;
            return answer;
        };
        form->onDestroyed = [&](GUIElement *) { ++destroyedCalls; };
        form->Create();
        HWND window = form->window;
        delete form;
        EXPECT_EQ(queries, 1);
        EXPECT_EQ(destroyedCalls, 1);
        EXPECT_FALSE(IsWindow(window));
    }
}

TEST_F(FormTest, FirstFormCreatedBecomesTheMainWindow) {
    TestForm first, second;
    first.Create();
    second.Create();
    EXPECT_EQ(MainWindow(), first.window);
}

TEST_F(FormTest, FontHandleIsMadeOnceFromTheDescription) {
    FontSpec system;
    EXPECT_EQ(system.face, L"System");
    EXPECT_EQ(system.height, 0);
    FontSpec arial("Arial", 16);
    arial.bold = true;
    HFONT handle = arial.Handle();
    ASSERT_NE(handle, nullptr);
    EXPECT_EQ(arial.Handle(), handle);
    LOGFONTW description{};
    GetObjectW(handle, sizeof(description), &description);
    EXPECT_EQ(description.lfHeight, 16);
    EXPECT_EQ(description.lfWeight, FW_BOLD);
    EXPECT_STREQ(description.lfFaceName, L"Arial");
    arial.italic = true; // too late: the handle exists
    EXPECT_EQ(arial.Handle(), handle);
}

TEST_F(FormTest, IconFromTheSystemWhenNoResourceIsGiven) {
    TestForm form;
    form.Create();
    EXPECT_NE(form.windowClass.hIcon, nullptr);
    form.SetIcon(4242); // no such resource in the test program
    EXPECT_EQ(form.iconId, 4242);
    EXPECT_EQ(form.smallIcon, nullptr);
}

} // namespace
} // namespace CorvantaTest
