// The Win32 side of the game's seams: keyboard polling, the multimedia
// joystick functions and wave playback from the program's resources.
#pragma once

#include "game/PlayerInput.h"

#include <windows.h>

namespace VeRize {

// A key counts as down when GetKeyState reports it down and the given window
// (the main window) is the foreground window.
class Win32Keyboard final : public Keyboard {
public:
    explicit Win32Keyboard(HWND mainWindow = nullptr) : window_(mainWindow) {}
    void SetWindow(HWND mainWindow) { window_ = mainWindow; }
    bool IsKeyDown(int virtualKey) override;

private:
    HWND window_;
};

// joyGetNumDevs, joyGetPos and joyGetDevCapsW.
class Win32Joystick final : public JoystickDriver {
public:
    unsigned DeviceCount() override;
    bool ReadPosition(unsigned id, JoystickPosition &position) override;
    bool ReadCapabilities(unsigned id, JoystickRange &range) override;
};

// PlaySoundW of a wave resource of the given module, asynchronous, with no
// default sound when the resource is missing. A new sound replaces one still
// playing; failures are ignored.
class Win32Sound final : public SoundOutput {
public:
    explicit Win32Sound(HMODULE module = nullptr) : module_(module) {}
    void PlayWave(int resource) override;

private:
    HMODULE module_;
};

} // namespace VeRize
