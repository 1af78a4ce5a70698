// Starts a copy of the game, waits for its main window and closes it again:
//   ship_start_probe <path of Corvanta.exe>
// Exit status 0 when the window showed up and the game ended cleanly, 1 when
// no window came, 2 when the game would not close, 3 on a bad command line.
// The shipping tests run it on the installed and on the unzipped game.
#include "tests/e2e/Probe.h"

#include <shellapi.h>

#include <cstdio>

using namespace std::chrono_literals;

int main() {
    int count = 0;
    LPWSTR *arguments = CommandLineToArgvW(GetCommandLineW(), &count);
    if (!arguments || count != 2) {
        std::fprintf(stderr, "usage: ship_start_probe GAME.exe\n");
        return 3;
    }
    const std::wstring game = arguments[1];
    LocalFree(arguments);

    Probe::Process process(L"\"" + game + L"\"");
    if (!process.Started()) {
        std::fprintf(stderr, "ship_start_probe: the game did not start (error %lu)\n",
                     GetLastError());
        return 1;
    }
    HWND window = nullptr;
    if (!Probe::WaitFor([&] { return (window = Probe::FindTopWindow(L"Corvanta", process.Id())); },
                        30s)) {
        std::fprintf(stderr, "ship_start_probe: no window titled Corvanta...\n");
        return 1;
    }
    std::printf("window: %ls\n", Probe::WindowText(window).c_str());

    // Closing asks "Vuoi realmente uscire?" in a box titled "Uscita": answer yes.
    PostMessageW(window, WM_CLOSE, 0, 0);
    Probe::WaitFor(
        [&] {
            if (HWND box = Probe::FindMessageBox(L"Uscita")) {
                Probe::Answer(box, IDYES);
                return true;
            }
            return !process.Running();
        },
        10s);
    const DWORD code = process.WaitExit(10s);
    if (code != 0) {
        std::fprintf(stderr, "ship_start_probe: the game did not end cleanly (%lu)\n", code);
        return 2;
    }
    return 0;
}
