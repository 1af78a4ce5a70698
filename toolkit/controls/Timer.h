// The toolkit's periodic tick: while running, the system posts a timer
// message to the parent form every interval, under the timer's element id,
// and the window procedure hands it back to the timer.
#pragma once

#include "toolkit/core/Element.h"

namespace OrvoUtility {

class Timer : public Child, public TickHook {
public:
    // The parent must be a form; interval in milliseconds.
    Timer(GUIElement *parentForm, std::int32_t milliseconds);
    ~Timer() override; // kills a running system timer

    bool running = false; // a system timer is set for this element
    std::int32_t interval = 0;
    ElementHandler onTick;

    // Sets the system timer on the parent's window; nothing while running.
    void Start();
    // Kills it; nothing while stopped.
    void Stop();

    // Makes the hidden window that gives the timer its id.
    void Create() override;

    void Tick() override;

private:
    HWND OwnerWindow() const;
};

} // namespace OrvoUtility
