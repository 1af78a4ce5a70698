#include "toolkit/controls/Timer.h"

#include "toolkit/controls/ControlWindow.h"

namespace OrvoUtility {

Timer::Timer(GUIElement *parentForm, std::int32_t milliseconds)
    : Child(nullptr), interval(milliseconds) {
    kind = "timer";
    parent = parentForm;
    text = L"timer";
    width = 50;
    height = 22;
}

Timer::~Timer() {
    if (running && OwnerWindow() != nullptr)
        KillTimer(OwnerWindow(), static_cast<UINT_PTR>(id));
}

HWND Timer::OwnerWindow() const {
    return parent != nullptr ? parent->window : nullptr;
}

void Timer::Start() {
    if (running)
        return;
    Create();
    // Without a window of the form there is nothing to tick on: a timer set
    // on no window would get an id of the system's choosing that Stop could
    // never kill.
    if (HWND owner = OwnerWindow())
        SetTimer(owner, static_cast<UINT_PTR>(id), static_cast<UINT>(interval), nullptr);
    running = true;
}

void Timer::Stop() {
    if (!running)
        return;
    if (HWND owner = OwnerWindow())
        KillTimer(owner, static_cast<UINT_PTR>(id));
    running = false;
}

void Timer::Create() {
    if (created)
        return;
    DWORD style = WS_CHILD;
    if (!enabled)
        style |= WS_DISABLED;
    MakeControlWindow(*this, L"static", style, 0);
    SubclassControl(*this);
    created = true;
}

void Timer::Tick() {
    if (onTick)
        onTick(this);
}

} // namespace OrvoUtility
