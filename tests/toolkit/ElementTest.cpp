#include "tests/toolkit/Support.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace CorvantaTest {
namespace {

class ElementTest : public testing::Test {
protected:
    void TearDown() override { ResetLoop(); }
};

TEST_F(ElementTest, TextSetBeforeCreateBecomesTheTitleAndLaterSettersApplyAtOnce) {
    TestForm form;
    form.SetText("Prova \xB0"
                 "1"); // the degree sign, one byte
    EXPECT_EQ(form.text, L"Prova \u00B01");
    form.SetSize(300, 200);
    form.Create();
    EXPECT_EQ(WindowText(form.window), L"Prova \u00B01");
    RECT outer{};
    GetWindowRect(form.window, &outer);
    EXPECT_EQ(outer.right - outer.left, 300);
    EXPECT_EQ(outer.bottom - outer.top, 200);

    form.SetText(std::wstring(L"Altro"));
    EXPECT_EQ(WindowText(form.window), L"Altro");
    form.SetSize(260, 180);
    GetWindowRect(form.window, &outer);
    EXPECT_EQ(outer.right - outer.left, 260);
    EXPECT_EQ(outer.bottom - outer.top, 180);
    EXPECT_EQ(form.RefreshSize().cx, 260);

    form.SetEnabled(false);
    EXPECT_FALSE(IsWindowEnabled(form.window));
    form.SetEnabled(true);
    EXPECT_TRUE(IsWindowEnabled(form.window));
}

TEST_F(ElementTest, SettersBeforeCreateOnlyStore) {
    TestForm form;
    form.SetSize(123, 77);
    form.SetEnabled(false);
    form.SetBackColor(RGB(1, 2, 3));
    EXPECT_EQ(form.window, nullptr);
    EXPECT_EQ(form.width, 123);
    EXPECT_FALSE(form.enabled);
    EXPECT_FALSE(form.backgroundPainted);
    EXPECT_EQ(form.backColor, RGB(1, 2, 3));
}

TEST_F(ElementTest, OnCreatedRunsOnceInsideCreateWithTheNewWindow) {
    TestForm form;
    int calls = 0;
    HWND seen = nullptr;
    bool createdYet = true;
    form.onCreated = [&](GUIElement *element, HWND window) {
        ++calls;
        seen = window;
        createdYet = element->created;
        EXPECT_TRUE(IsWindow(window));
    };
    form.Create();
    form.Create(); // a second call does nothing
    form.HandleCreated(form.window);
    EXPECT_EQ(calls, 1);
    EXPECT_EQ(seen, form.window);
    EXPECT_FALSE(createdYet); // the build runs before the form counts as created
    EXPECT_TRUE(form.createdNotified);
}

TEST_F(ElementTest, FocusEventsAndTextChangedOnlyAfterAnEdit) {
    TestForm form;
    form.Create();
    NativeControl edit(&form, L"edit", WS_TABSTOP | WS_BORDER);
    NativeControl other(&form, L"button", WS_TABSTOP);
    other.y = 50;
    edit.SetText("abc");
    edit.Create();
    other.Create();
    std::vector<std::string> events;
    edit.onFocusGained = [&](GUIElement *) { events.push_back("gained"); };
    edit.onFocusLost = [&](GUIElement *) { events.push_back("lost"); };
    edit.onTextChanged = [&](GUIElement *) { events.push_back("changed"); };

    edit.Focus();
    other.Focus();
    EXPECT_EQ(events, (std::vector<std::string>{"gained", "lost"}));

    events.clear();
    edit.Focus();
    SendMessageW(edit.window, WM_CHAR, L'd', 1); // the user types a letter
    other.Focus();
    EXPECT_EQ(events, (std::vector<std::string>{"gained", "lost", "changed"}));
    EXPECT_EQ(edit.focusText, L"abc");
    EXPECT_EQ(edit.GetNarrowText().size(), 4u);
}

TEST_F(ElementTest, EmptyWindowTextReadsBackAsEmpty) {
    TestForm form;
    form.Create();
    form.text = L"stale";
    EXPECT_EQ(form.GetText(), L"");
    EXPECT_EQ(form.text, L"");
    SetWindowTextW(form.window, L"nuovo");
    EXPECT_EQ(form.GetNarrowText(), "nuovo");
    EXPECT_EQ(form.text, L"nuovo");
}

TEST_F(ElementTest, WithoutAWindowGetTextKeepsTheStoredText) {
    Windowless element;
    element.SetText("fermo");
    element.Create(); // created, but without a window
    EXPECT_EQ(element.GetNarrowText(), "fermo");
}

TEST_F(ElementTest, UnsetCallbacksAreSkippedAndQueriesCountAsTrue) {
    Windowless element;
    EXPECT_TRUE(element.HandleChar(L'a'));
    EXPECT_TRUE(element.HandleCloseQuery());
    element.HandleLeftButtonDown(1, 2);
    element.HandleKeyDown(VK_LEFT);
    element.HandleDestroyed();
    EXPECT_TRUE(element.destroyed);
    EXPECT_EQ(element.HandleControlColor(nullptr), nullptr);

    element.onChar = [](GUIElement *, wchar_t code) { return code != L'x'; };
    element.onCloseQuery = [](GUIElement *) { return false; };
    EXPECT_FALSE(element.HandleChar(L'x'));
    EXPECT_TRUE(element.HandleChar(L'y'));
    EXPECT_FALSE(element.HandleCloseQuery());
}

TEST_F(ElementTest, ButtonCallbacksGetTheElementItsWindowAndCoordinates) {
    TestForm form;
    form.Create();
    GUIElement *who = nullptr;
    HWND where = nullptr;
    int gotX = 0, gotY = 0;
    form.onRightButtonUp = [&](GUIElement *element, HWND window, int atX, int atY) {
        who = element;
        where = window;
        gotX = atX;
        gotY = atY;
    };
    // Coordinates are signed: a press left of the client area arrives negative.
    SendMessageW(form.window, WM_RBUTTONUP, 0, MAKELPARAM(-5, 17));
    EXPECT_EQ(who, &form);
    EXPECT_EQ(where, form.window);
    EXPECT_EQ(gotX, -5);
    EXPECT_EQ(gotY, 17);
}

TEST_F(ElementTest, RefreshPositionIsRelativeToTheParentClientArea) {
    TestForm form;
    form.Create();
    NativeControl button(&form, L"button", 0);
    button.x = 33;
    button.y = 21;
    button.Create();
    button.x = button.y = 0;
    const POINT at = button.RefreshPosition();
    EXPECT_EQ(at.x, 33);
    EXPECT_EQ(at.y, 21);
    EXPECT_EQ(button.x, 33);
    MoveWindow(button.window, 40, 45, 80, 24, TRUE); // WM_MOVE refreshes the fields
    EXPECT_EQ(button.x, 40);
    EXPECT_EQ(button.y, 45);
}

TEST_F(ElementTest, NativeControlOutlivingItsElementGetsItsOwnProcedureBack) {
    TestForm form;
    form.Create();
    auto *edit = new NativeControl(&form, L"edit", 0);
    edit->Create();
    HWND window = edit->window;
    const WNDPROC own = edit->controlProc;
    delete edit;
    EXPECT_EQ(reinterpret_cast<WNDPROC>(GetWindowLongPtrW(window, GWLP_WNDPROC)), own);
    SetWindowTextW(window, L"vivo");
    EXPECT_EQ(WindowText(window), L"vivo");
}

} // namespace
} // namespace CorvantaTest
