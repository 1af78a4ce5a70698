// The program starts, shows its window and closes cleanly.
#include "tests/e2e/Probe.h"

#include <gtest/gtest.h>

using namespace std::chrono_literals;

namespace {

std::wstring GameExe() {
    return Probe::ProgramFolder() + L"..\\..\\app\\Corvanta.exe";
}

} // namespace

TEST(Start, OpensItsWindowAndClosesCleanly) {
    Probe::Process game(L"\"" + GameExe() + L"\"");
    ASSERT_TRUE(game.Started());
    HWND window = nullptr;
    ASSERT_TRUE(
        Probe::WaitFor([&] { return (window = Probe::FindTopWindow(L"Corvanta", game.Id())); }));
    EXPECT_EQ(Probe::WindowText(window).rfind(L"Corvanta", 0), 0u);
    PostMessageW(window, WM_CLOSE, 0, 0);
    EXPECT_EQ(game.WaitExit(10s), 0u);
}
