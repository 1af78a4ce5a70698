// The timer on a real form, with real system timers.
#include "toolkit/controls/Timer.h"
#include "tests/controls/Support.h"
#include "toolkit/controls/Label.h"

#include <gtest/gtest.h>

namespace ControlsTest {
namespace {

// Pumps messages until the condition holds or five seconds have passed.
bool PumpUntil(const std::function<bool()> &done) {
    const DWORD start = GetTickCount();
    while (!done() && GetTickCount() - start < 5000) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
        Pump();
    }
    return done();
}

// True when the system still had a timer of that id on the window.
bool KillLeftover(HWND window, std::int32_t id) {
    return KillTimer(window, static_cast<UINT_PTR>(id)) != FALSE;
}

TEST(TimerControl, TicksOnItsFormUntilStopped) {
    auto form = MakeForm();
    Timer timer(form.get(), 10);
    std::vector<GUIElement *> ticks;
    timer.onTick = [&](GUIElement *element) { ticks.push_back(element); };
    EXPECT_FALSE(timer.created);
    timer.Start();
    const std::int32_t id = timer.id;
    timer.Start(); // already running: nothing
    EXPECT_EQ(timer.id, id);
    EXPECT_TRUE(timer.running);
    ASSERT_TRUE(PumpUntil([&] { return ticks.size() >= 2; }));
    EXPECT_EQ(ticks.front(), &timer);

    timer.Stop();
    EXPECT_FALSE(timer.running);
    EXPECT_FALSE(KillLeftover(form->window, id)) << "stopped once, nothing left";
    timer.Stop(); // stopped: nothing
    EXPECT_FALSE(timer.running);
}

TEST(TimerControl, WindowIsAHiddenChildOfTheForm) {
    auto form = MakeForm();
    Timer timer(form.get(), 30);
    EXPECT_EQ(timer.GetNarrowText(), "timer");
    EXPECT_EQ(timer.width, 50);
    EXPECT_EQ(timer.height, 22);
    timer.Start();
    ASSERT_NE(timer.window, nullptr);
    EXPECT_EQ(GetParent(timer.window), form->window);
    EXPECT_EQ(GetDlgCtrlID(timer.window), timer.id);
    EXPECT_FALSE(IsWindowVisible(timer.window));
    ShowWindow(form->window, SW_SHOW);
    EXPECT_FALSE(IsWindowVisible(timer.window));
    timer.Stop();
}

TEST(TimerControl, DeletedWhileRunningLeavesNoSystemTimer) {
    auto form = MakeForm();
    auto timer = std::make_unique<Timer>(form.get(), 10);
    int ticks = 0;
    timer->onTick = [&](GUIElement *) { ++ticks; };
    timer->Start();
    const std::int32_t id = timer->id;
    timer.reset();
    EXPECT_FALSE(KillLeftover(form->window, id));
    Sleep(40);
    Pump(); // a tick message already queued finds no timer
    EXPECT_EQ(ticks, 0);
}

TEST(TimerControl, TimerMessagesAreRoutedByIdToTimersOnly) {
    auto form = MakeForm();
    Timer timer(form.get(), 1000);
    Timer other(form.get(), 1000);
    Label label(form.get(), "etichetta");
    label.Create();
    timer.Create();
    other.Create();
    int ticks = 0;
    int otherTicks = 0;
    timer.onTick = [&](GUIElement *) { ++ticks; };
    other.onTick = [&](GUIElement *) { ++otherTicks; };
    SendMessageW(form->window, WM_TIMER, static_cast<WPARAM>(timer.id), 0);
    EXPECT_EQ(ticks, 1);
    EXPECT_EQ(otherTicks, 0);
    SendMessageW(form->window, WM_TIMER, static_cast<WPARAM>(label.id), 0); // not a timer
    SendMessageW(form->window, WM_TIMER, 99999, 0);                         // nobody's
    EXPECT_EQ(ticks, 1);
    EXPECT_EQ(otherTicks, 0);
    Timer silent(form.get(), 1000); // no handler set
    silent.Create();
    SendMessageW(form->window, WM_TIMER, static_cast<WPARAM>(silent.id), 0);
}

TEST(TimerControl, WithoutAWindowOfTheFormNothingTicks) {
    Form windowless(Instance(), false);
    Timer timer(&windowless, 10);
    int ticks = 0;
    timer.onTick = [&](GUIElement *) { ++ticks; };
    timer.Start();
    EXPECT_TRUE(timer.running);
    EXPECT_TRUE(timer.created);
    Sleep(40);
    Pump();
    EXPECT_EQ(ticks, 0);
    timer.Stop();
    EXPECT_FALSE(timer.running);
}

} // namespace
} // namespace ControlsTest
