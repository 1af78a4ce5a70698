// Corvanta's entry point: builds the main window, runs the message loop until
// the window has been destroyed, then deletes the window's form.
#include "app/FormMain.h"
#include "scores/ScoreTable.h"
#include "toolkit/core/System.h"
#include "toolkit/core/WindowProc.h"

#ifdef CORVANTA_FIXED_SEED
#include "app/TestReport.h"
#include "game/Random.h"
#endif

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
#ifdef CORVANTA_FIXED_SEED
    // The test build plays the same trios at every run.
    VeRize::SeedRandom(CORVANTA_FIXED_SEED);
#endif
    // The score table lives under the user's local application data folder.
    VeRize::SetLocalAppDataSource(OrvoUtility::LocalAppDataFolder);

    const OrvoUtility::NarrowText title = "Corvanta \xA9 2026 Gli autori di Corvanta";
    auto *form = new VeRize::FormMain(instance, title);
#ifdef CORVANTA_FIXED_SEED
    VeRize::StartTestReport(instance, form->window);
#endif
    OrvoUtility::RunMessageLoop(form);
    delete form;
    return 0;
}
