// Starts the game, presses its "Info" button and saves the screen with the
// About box open over the game's window to the BMP file named on the command
// line. Exit code 0 when the box opened and the picture was saved.
#include "tests/about/ScreenShot.h"
#include "tests/e2e/Probe.h"

#include <cstdio>

using namespace std::chrono_literals;

int wmain(int argumentCount, wchar_t **arguments) {
    if (argumentCount < 2) {
        std::fprintf(stderr, "usage: about_shot FILE.bmp\n");
        return 2;
    }
    Probe::Process game(L"\"" + Probe::ProgramFolder() + L"..\\..\\app\\Corvanta.exe\"");
    HWND main = nullptr;
    if (!game.Started() ||
        !Probe::WaitFor([&] { return (main = Probe::FindTopWindow(L"Corvanta", game.Id())); })) {
        std::fprintf(stderr, "the game's window did not open\n");
        return 1;
    }
    HWND info = Probe::ChildWithText(main, L"Info");
    if (info == nullptr) {
        std::fprintf(stderr, "no \"Info\" button\n");
        return 1;
    }
    Probe::Click(info);
    HWND box = nullptr;
    if (!Probe::WaitFor([&] { return (box = Probe::FindTopWindow(L"Info...", game.Id())); })) {
        std::fprintf(stderr, "the About box did not open\n");
        return 1;
    }
    Sleep(1000); // let both windows paint
    const bool saved = AboutTest::SaveScreen(arguments[1]);
    std::printf("main window %s, box open\n", IsWindowEnabled(main) ? "enabled" : "disabled");
    return saved ? 0 : 1;
}
