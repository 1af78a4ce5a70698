#include "game/win32/Win32Platform.h"

#include <mmsystem.h>

namespace VeRize {

bool Win32Keyboard::IsKeyDown(int virtualKey) {
    if (window_ == nullptr || GetForegroundWindow() != window_)
        return false;
    return (GetKeyState(virtualKey) & 0x8000) != 0;
}

unsigned Win32Joystick::DeviceCount() {
    return joyGetNumDevs();
}

bool Win32Joystick::ReadPosition(unsigned id, JoystickPosition &position) {
    JOYINFO info{};
    if (joyGetPos(id, &info) != JOYERR_NOERROR)
        return false;
    position.x = info.wXpos;
    position.y = info.wYpos;
    position.buttons = info.wButtons;
    return true;
}

bool Win32Joystick::ReadCapabilities(unsigned id, JoystickRange &range) {
    JOYCAPSW caps{};
    if (joyGetDevCapsW(id, &caps, sizeof caps) != JOYERR_NOERROR)
        return false;
    range.xMin = caps.wXmin;
    range.xMax = caps.wXmax;
    range.yMin = caps.wYmin;
    range.yMax = caps.wYmax;
    return true;
}

void Win32Sound::PlayWave(int resource) {
    // Without any output device there is nothing to hear, and every call
    // would still set up a playback thread (costly under Wine at every cycle
    // of the trio). A device plugged in later counts from the next sound on.
    if (waveOutGetNumDevs() == 0)
        return;
    HMODULE module = module_ != nullptr ? module_ : GetModuleHandleW(nullptr);
    PlaySoundW(MAKEINTRESOURCEW(resource), module, SND_RESOURCE | SND_ASYNC | SND_NODEFAULT);
}

} // namespace VeRize
