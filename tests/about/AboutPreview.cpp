// Opens the About box over a stand-in for the main window, for looking at.
// With a file name on the command line it also saves the screen as a 24-bit
// BMP file there once both windows have painted, and then closes.
#include "about/FormAbout.h"
#include "tests/about/ScreenShot.h"
#include "toolkit/core/WindowProc.h"

#include <shellapi.h>

#include <cstdio>

using namespace OrvoUtility;

namespace {

void Pump() {
    MSG message{};
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

} // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    int argumentCount = 0;
    wchar_t **arguments = CommandLineToArgvW(GetCommandLineW(), &argumentCount);
    const wchar_t *shotPath = argumentCount > 1 ? arguments[1] : nullptr;

    // Blue and 640 x 480, like the game's window.
    Form owner(instance, false);
    owner.SetText(NarrowText("Corvanta \xA9 2026 Gli autori di Corvanta"));
    owner.width = 640;
    owner.height = 480;
    owner.sizable = false;
    owner.backColor = RGB(0, 0, 255);
    owner.CenterOnScreen();
    owner.Create();

    // What the game's "Info" button gives the box.
    FormAbout *box = new FormAbout(&owner);
    box->bannerId = 1006;
    box->bannerWidth = 164;
    box->bannerHeight = 50;
    box->titleText = "Corvanta 1.1.0.0";
    box->creditText = "\xA9 2026 Gli autori di Corvanta";
    box->webAddress = "http://www.example.com";
    box->noticeText = "Corvanta \xE8 software libero: puoi copiarlo e darlo ad altri.\r\n"
                      "Viene dato cos\xEC com'\xE8, senza alcuna garanzia.\r\n"
                      "Buon divertimento!";
    if (box->window == nullptr)
        box->Create();
    ShowWindow(box->window, SW_SHOWNOACTIVATE);
    box->visible = true;

    int result = 0;
    if (shotPath != nullptr) {
        for (int i = 0; i < 20; ++i) {
            Pump();
            Sleep(50);
        }
        result = AboutTest::SaveScreen(shotPath) ? 0 : 1;
        RECT client{};
        GetClientRect(box->window, &client);
        std::printf("box client area %ld x %ld\n", client.right, client.bottom);
        delete box;
        box = nullptr;
        DestroyWindow(owner.window);
    }
    RunMessageLoop(&owner);
    delete box;
    LocalFree(arguments);
    return result;
}
