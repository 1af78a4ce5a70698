#include "tests/toolkit/Support.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

namespace CorvantaTest {
namespace {

class DispatchTest : public testing::Test {
protected:
    void SetUp() override { ResetLoop(); }
    void TearDown() override {
        SetKeyState(VK_SHIFT, false);
        ResetLoop();
    }

    static void SetKeyState(int key, bool down) {
        BYTE keys[256] = {};
        GetKeyboardState(keys);
        keys[key] = down ? 0x80 : 0;
        SetKeyboardState(keys);
    }

    // Runs the loop, with a guard that ends it after a few seconds if the
    // code under test never does. True when the loop ended by itself.
    static inline bool guardFired = false;
    static void CALLBACK Guard(HWND, UINT, UINT_PTR, DWORD) {
        guardFired = true;
        PostQuitMessage(0);
    }
    static bool RunLoopGuarded(Form *mainForm) {
        guardFired = false;
        const UINT_PTR guard = SetTimer(nullptr, 0, 5000, Guard);
        RunMessageLoop(mainForm);
        KillTimer(nullptr, guard);
        return !guardFired;
    }

    static bool QuitPending() {
        MSG message{};
        return PeekMessageW(&message, nullptr, WM_QUIT, WM_QUIT, PM_NOREMOVE) != 0;
    }
};

TEST_F(DispatchTest, RefusedCloseKeepsTheWindow) {
    TestForm form;
    int queries = 0;
    form.onCloseQuery = [&](GUIElement *) {
        ++queries;
        return false;
    };
    form.Create();
    EXPECT_EQ(SendMessageW(form.window, WM_CLOSE, 0, 0), 1);
    EXPECT_EQ(queries, 1);
    EXPECT_TRUE(IsWindow(form.window));
    EXPECT_FALSE(form.destroyed);
    EXPECT_FALSE(QuitPending());
    form.onCloseQuery = nullptr;
}

TEST_F(DispatchTest, AcceptedCloseOfTheMainWindowEndsTheLoop) {
    TestForm form;
    form.onCloseQuery = [](GUIElement *) { return true; };
    form.Create();
    ASSERT_EQ(MainWindow(), form.window);
    PostMessageW(form.window, WM_CLOSE, 0, 0);
    EXPECT_TRUE(RunLoopGuarded(&form));
    EXPECT_FALSE(IsWindow(form.window));
    EXPECT_TRUE(form.destroyed);
}

TEST_F(DispatchTest, ClosingASecondFormDoesNotEndTheLoop) {
    TestForm mainForm, other;
    mainForm.Create();
    other.Create();
    SendMessageW(other.window, WM_CLOSE, 0, 0);
    EXPECT_FALSE(IsWindow(other.window));
    EXPECT_TRUE(other.destroyed);
    EXPECT_FALSE(QuitPending());

    // The loop keeps running until the main window goes.
    std::vector<std::string> order;
    other.onDestroyed = nullptr;
    mainForm.onDestroyed = [&](GUIElement *) { order.push_back("main destroyed"); };
    PostMessageW(mainForm.window, WM_CLOSE, 0, 0);
    EXPECT_TRUE(RunLoopGuarded(&mainForm));
    EXPECT_EQ(order, std::vector<std::string>{"main destroyed"});
}

TEST_F(DispatchTest, ConsumedCharacterNeverReachesTheEditControl) {
    TestForm form;
    form.Create();
    NativeControl edit(&form, L"edit", WS_BORDER);
    edit.Create();
    edit.onChar = [](GUIElement *, wchar_t code) { return code != L'x'; };
    for (wchar_t typed : std::wstring(L"axbx"))
        SendMessageW(edit.window, WM_CHAR, typed, 1);
    EXPECT_EQ(WindowText(edit.window), L"ab");
}

TEST_F(DispatchTest, TabAndShiftTabMoveTheFocusAndWrapAround) {
    TestForm form;
    form.Create();
    NativeControl first(&form, L"button", WS_TABSTOP);
    NativeControl second(&form, L"button", WS_TABSTOP);
    NativeControl third(&form, L"button", WS_TABSTOP);
    NativeControl label(&form, L"static", 0); // no tab stop: skipped
    second.y = 40;
    label.y = 70;
    third.y = 100;
    first.Create();
    second.Create();
    label.Create();
    third.Create();

    struct Step {
        NativeControl *from;
        bool shift;
        NativeControl *to;
    };
    const Step steps[] = {{&first, false, &second}, {&second, false, &third},
                          {&third, false, &first},  {&first, true, &third},
                          {&third, true, &second},  {&second, true, &first}};
    for (const Step &step : steps) {
        step.from->Focus();
        ASSERT_EQ(GetFocus(), step.from->window);
        SetKeyState(VK_SHIFT, step.shift);
        SendMessageW(step.from->window, WM_KEYDOWN, VK_TAB, 1);
        EXPECT_EQ(GetFocus(), step.to->window)
            << "from id " << step.from->id << (step.shift ? " backwards" : " forwards");
    }
}

TEST_F(DispatchTest, KeyDownStillReachesTheElementAfterTab) {
    TestForm form;
    form.Create();
    NativeControl button(&form, L"button", WS_TABSTOP);
    button.Create();
    std::vector<int> keys;
    button.onKeyDown = [&](GUIElement *, int key) { keys.push_back(key); };
    button.Focus();
    SendMessageW(button.window, WM_KEYDOWN, VK_TAB, 1);
    EXPECT_EQ(keys, std::vector<int>{VK_TAB});
}

TEST_F(DispatchTest, AControlCommandReachesOnCommandOnce) {
    TestForm form;
    form.Create();
    NativeControl button(&form, L"button", BS_PUSHBUTTON);
    button.Create();
    std::vector<GUIElement *> calls;
    button.onCommand = [&](GUIElement *element) { calls.push_back(element); };
    SendMessageW(button.window, BM_CLICK, 0, 0);
    EXPECT_EQ(calls, std::vector<GUIElement *>{&button});
}

TEST_F(DispatchTest, AMenuCommandRunsTheEntryStepThenOnCommand) {
    TestForm form;
    form.Create();
    FakeEntry entry;
    entry.onCommand = [&](GUIElement *element) {
        static_cast<FakeEntry *>(element)->log.push_back("command");
    };
    SendMessageW(form.window, WM_COMMAND, MAKEWPARAM(entry.id, 0), 0);
    EXPECT_EQ(entry.log, (std::vector<std::string>{"step", "command"}));

    entry.log.clear();
    SendMessageW(form.window, WM_COMMAND, MAKEWPARAM(entry.id, 1), 0);        // accelerator
    SendMessageW(form.window, WM_COMMAND, MAKEWPARAM(entry.id + 1000, 0), 0); // no entry
    EXPECT_TRUE(entry.log.empty());
}

TEST_F(DispatchTest, HandCursorOverTheClientAreaOnly) {
    TestForm form;
    form.Create();
    NativeControl button(&form, L"button", 0);
    button.Create();
    button.SetHandCursor(true);
    HCURSOR hand = LoadCursorW(nullptr, IDC_HAND);
    HCURSOR arrow = LoadCursorW(nullptr, IDC_ARROW);

    SetCursor(arrow);
    EXPECT_EQ(SendMessageW(button.window, WM_SETCURSOR, reinterpret_cast<WPARAM>(button.window),
                           MAKELPARAM(HTCLIENT, WM_MOUSEMOVE)),
              TRUE);
    EXPECT_EQ(GetCursor(), hand);

    SetCursor(arrow);
    SendMessageW(button.window, WM_SETCURSOR, reinterpret_cast<WPARAM>(button.window),
                 MAKELPARAM(HTCAPTION, WM_MOUSEMOVE));
    EXPECT_NE(GetCursor(), hand);

    button.SetHandCursor(false);
    button.SetWaitCursor(true);
    SendMessageW(button.window, WM_SETCURSOR, reinterpret_cast<WPARAM>(button.window),
                 MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    EXPECT_EQ(GetCursor(), LoadCursorW(nullptr, IDC_WAIT));
    SetCursor(arrow);
}

TEST_F(DispatchTest, ActivationIsHandedToTheModalChild) {
    TestForm owner, child(true);
    std::vector<std::string> events;
    owner.onActivated = [&](GUIElement *) { events.push_back("owner activated"); };
    owner.onDeactivated = [&](GUIElement *) { events.push_back("owner deactivated"); };
    child.onActivated = [&](GUIElement *) { events.push_back("child activated"); };
    owner.Create();
    child.Create();
    SetForegroundWindow(owner.window);
    Pump();
    ASSERT_EQ(GetForegroundWindow(), owner.window);
    events.clear();

    // The child opens as modal children do: it disables its owner.
    owner.modalChild = &child;
    owner.SetEnabled(false);
    SendMessageW(owner.window, WM_ACTIVATE, WA_ACTIVE, 0);
    EXPECT_EQ(GetForegroundWindow(), child.window);
    EXPECT_EQ(ActiveForm(), &child);
    ASSERT_FALSE(events.empty());
    EXPECT_EQ(events.back(), "child activated");
    EXPECT_EQ(std::count(events.begin(), events.end(), "owner activated"), 1);
    EXPECT_EQ(std::count(events.begin(), events.end(), "child activated"), 1);

    // And it stays there once the window system has had its say.
    events.clear();
    Pump();
    EXPECT_EQ(GetForegroundWindow(), child.window);
    EXPECT_EQ(std::count(events.begin(), events.end(), "owner activated"), 0);
    owner.modalChild = nullptr;
}

TEST_F(DispatchTest, ActivationRegistersHotKeysAndRoutesThemToTheFrontForm) {
    TestForm form;
    std::vector<std::string> calls;
    form.hotKeys.push_back({MOD_CONTROL, 'K', [&](Form *who, UINT, UINT key) {
                                calls.push_back(who == &form && key == 'K' ? "form" : "wrong");
                            }});
    form.Create();
    SetForegroundWindow(form.window);
    Pump();
    ASSERT_EQ(GetForegroundWindow(), form.window);
    SendMessageW(form.window, WM_HOTKEY, 1, 0);
    SendMessageW(form.window, WM_HOTKEY, 2, 0); // outside the list: ignored
    SendMessageW(form.window, WM_HOTKEY, 0, 0);
    EXPECT_EQ(calls, std::vector<std::string>{"form"});
}

class ShownForm : public TestForm {
public:
    std::vector<std::string> *log = nullptr;
    void HandleShown() override { log->push_back("shown"); }
};

TEST_F(DispatchTest, ShowWindowRaisesShownThenResized) {
    std::vector<std::string> log;
    ShownForm form;
    form.log = &log;
    form.onResized = [&](GUIElement *) { log.push_back("resized"); };
    form.Create();
    log.clear();
    SendMessageW(form.window, WM_SHOWWINDOW, TRUE, 0);
    EXPECT_EQ(log, (std::vector<std::string>{"shown", "resized"}));
}

class Tracked : public Windowless {
public:
    Tracked(std::vector<std::string> &into, std::string called)
        : log(into), name(std::move(called)) {}
    ~Tracked() override { log.push_back(name); }

private:
    std::vector<std::string> &log;
    std::string name;
};

TEST_F(DispatchTest, DisposalListDeletesEachElementAfterTheLoopInOrder) {
    std::vector<std::string> log;
    DisposeAfterLoop(new Tracked(log, "first"));
    DisposeAfterLoop(nullptr); // empty entries are skipped
    DisposeAfterLoop(new Tracked(log, "second"));
    const std::size_t before = RegisteredElements().size();
    PostQuitMessage(0);
    RunMessageLoop(nullptr);
    EXPECT_EQ(log, (std::vector<std::string>{"first", "second"}));
    EXPECT_EQ(RegisteredElements().size(), before - 2);

    log.clear();
    PostQuitMessage(0);
    RunMessageLoop(nullptr); // the list was emptied
    EXPECT_TRUE(log.empty());
}

class TickCounter : public Windowless, public TickHook {
public:
    int ticks = 0;
    void Tick() override { ++ticks; }
};

TEST_F(DispatchTest, TimerMessagesReachTheTimerWithThatId) {
    TestForm form;
    form.Create();
    TickCounter timer;
    timer.id = TakeNextId();
    Windowless notATimer;
    notATimer.id = TakeNextId();
    SendMessageW(form.window, WM_TIMER, static_cast<WPARAM>(timer.id), 0);
    SendMessageW(form.window, WM_TIMER, static_cast<WPARAM>(notATimer.id), 0);
    EXPECT_EQ(timer.ticks, 1);
}

TEST_F(DispatchTest, DeletedFormIsForgottenAsActiveForm) {
    auto form = std::make_unique<TestForm>();
    form->Create();
    SetForegroundWindow(form->window);
    Pump();
    ASSERT_EQ(ActiveForm(), form.get());
    form.reset();
    EXPECT_EQ(ActiveForm(), nullptr);
}

} // namespace
} // namespace CorvantaTest

namespace CorvantaTest {
namespace {

class ListListener : public Windowless {
public:
    std::vector<ListEvent> events;
    void HandleListEvent(ListEvent event) override { events.push_back(event); }
};

TEST_F(DispatchTest, HeaderNotificationsBecomeListEvents) {
    TestForm form;
    form.Create();
    // A plain window stands in for a header control.
    HWND header = CreateWindowExW(0, L"static", L"", WS_CHILD, 0, 0, 10, 10, form.window, nullptr,
                                  Instance(), nullptr);
    ListListener listener;
    listener.window = header;

    HDITEMW item{};
    item.mask = HDI_WIDTH;
    item.cxy = 77;
    NMHEADERW changed{};
    changed.hdr = {listener.window, 1, static_cast<UINT>(HDN_ITEMCHANGEDW)};
    changed.iItem = 3;
    changed.pitem = &item;
    NMHEADERW clicked = changed;
    clicked.hdr.code = static_cast<UINT>(HDN_ITEMCLICKW);
    clicked.pitem = nullptr;
    NMHDR rightClick{listener.window, 1, static_cast<UINT>(NM_RCLICK)};
    NMHDR other{listener.window, 1, static_cast<UINT>(NM_CLICK)};
    NMHEADERW noItem = changed; // a width change without item data is still safe
    noItem.pitem = nullptr;

    for (LPARAM notification :
         {reinterpret_cast<LPARAM>(&changed), reinterpret_cast<LPARAM>(&clicked),
          reinterpret_cast<LPARAM>(&rightClick), reinterpret_cast<LPARAM>(&other),
          reinterpret_cast<LPARAM>(&noItem)})
        SendMessageW(form.window, WM_NOTIFY, 1, notification);

    ASSERT_EQ(listener.events.size(), 4u);
    EXPECT_EQ(listener.events[0].code, 1);
    EXPECT_EQ(listener.events[0].numbers, (std::vector<std::int32_t>{3, 77}));
    EXPECT_EQ(listener.events[1].code, 2);
    EXPECT_EQ(listener.events[1].numbers, std::vector<std::int32_t>{3});
    EXPECT_EQ(listener.events[2].code, 3);
    EXPECT_TRUE(listener.events[2].numbers.empty());
    EXPECT_EQ(listener.events[3].code, 1);
    for (const ListEvent &event : listener.events)
        EXPECT_TRUE(event.texts.empty());
    listener.window = nullptr;
    DestroyWindow(header);
}

TEST_F(DispatchTest, MouseMoveAsksForHoverAndLeaveOnceUntilTheMouseLeaves) {
    TestForm form;
    form.Create();
    std::vector<std::string> log;
    form.onMouseMove = [&](GUIElement *, int atX, int atY) {
        log.push_back("move " + std::to_string(atX) + "," + std::to_string(atY));
    };
    form.onMouseLeave = [&](GUIElement *) { log.push_back("leave"); };
    form.onMouseHover = [&](GUIElement *) { log.push_back("hover"); };
    SendMessageW(form.window, WM_MOUSEMOVE, 0, MAKELPARAM(5, 6));
    EXPECT_TRUE(MouseTracking());
    SendMessageW(form.window, WM_MOUSEHOVER, 0, 0);
    SendMessageW(form.window, WM_MOUSELEAVE, 0, 0);
    EXPECT_FALSE(MouseTracking());
    EXPECT_EQ(log, (std::vector<std::string>{"move 5,6", "hover", "leave"}));
}

TEST_F(DispatchTest, TooltipIsAttachedOnlyWhenThereIsATipText) {
    TestForm plain;
    plain.Create();
    EXPECT_EQ(plain.tooltipWindow, nullptr);

    TestForm tipped;
    tipped.tooltip = "Suggerimento";
    tipped.Create();
    ASSERT_NE(tipped.tooltipWindow, nullptr);
    EXPECT_EQ(ClassOf(tipped.tooltipWindow), L"tooltips_class32");
    EXPECT_EQ(SendMessageW(tipped.tooltipWindow, TTM_GETTOOLCOUNT, 0, 0), 1);
    HWND first = tipped.tooltipWindow;
    tipped.SetSize(250, 150); // updates the existing tool, makes no new one
    EXPECT_EQ(tipped.tooltipWindow, first);
    EXPECT_EQ(SendMessageW(first, TTM_GETTOOLCOUNT, 0, 0), 1);
}

} // namespace
} // namespace CorvantaTest

namespace CorvantaTest {
namespace {

TEST_F(DispatchTest, NotificationFromAWindowWithoutElementReachesNoOne) {
    TestForm form;
    form.Create();
    HWND stranger = CreateWindowExW(0, L"button", L"", WS_CHILD, 0, 0, 10, 10, form.window, nullptr,
                                    Instance(), nullptr);
    FakeEntry last; // registered last and without a window
    int commands = 0;
    last.onCommand = [&](GUIElement *) { ++commands; };
    SendMessageW(form.window, WM_COMMAND, MAKEWPARAM(5, BN_CLICKED),
                 reinterpret_cast<LPARAM>(stranger));
    EXPECT_EQ(commands, 0);
    DestroyWindow(stranger);
}

} // namespace
} // namespace CorvantaTest
