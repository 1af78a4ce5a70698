// Message pumping for the Windows test programs that make real windows.
#pragma once

#include <windows.h>

namespace TestSupport {

// Dispatches every message waiting for this thread, as the program's loop
// does. A quit message is taken out of the queue and only reported: a test's
// form that goes away ends no loop here. True when a quit message was seen.
inline bool Pump() {
    bool quit = false;
    MSG message{};
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            quit = true;
            continue;
        }
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return quit;
}

} // namespace TestSupport
