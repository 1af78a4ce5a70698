// Player input: the five controls read by polling the keyboard and, when the
// joystick option is on, the first usable joystick.
//
// The platform is reached through three small seams, implemented for Win32 in
// game/win32/ and by fakes in the tests:
//  - Keyboard: is a virtual key down while the main window is in front;
//  - JoystickDriver: number of devices, position of joystick 0 or 1,
//    capabilities (axis ranges) of a joystick;
//  - SoundOutput: play a wave resource asynchronously.
#pragma once

#include <cstdint>

namespace VeRize {

class GameBoard;

// Win32 virtual-key numbers of the keys the game polls.
constexpr int VkLeft = 0x25;
constexpr int VkUp = 0x26;
constexpr int VkRight = 0x27;
constexpr int VkDown = 0x28;
constexpr int VkLeftControl = 0xA2;

// Wave resources of the program.
constexpr int WaveCycle = 1008;     // the trio's balls cycled up or down
constexpr int WaveExplosion = 1009; // balls marked for explosion

// Answers of ReadControls.
constexpr int ControlNone = 0;
constexpr int ControlLeft = -1;
constexpr int ControlRight = 1;
constexpr int ControlCycleUp = 2;
constexpr int ControlCycleDown = 3;
constexpr int ControlFastDrop = 4;

class Keyboard {
public:
    // True when the key is down and the main window is the foreground window.
    virtual bool IsKeyDown(int virtualKey) = 0;

protected:
    ~Keyboard() = default;
};

struct JoystickPosition {
    std::uint32_t x = 0;
    std::uint32_t y = 0;
    std::uint32_t buttons = 0;
};

struct JoystickRange {
    std::uint32_t xMin = 0;
    std::uint32_t xMax = 0;
    std::uint32_t yMin = 0;
    std::uint32_t yMax = 0;
};

class JoystickDriver {
public:
    virtual unsigned DeviceCount() = 0;
    virtual bool ReadPosition(unsigned id, JoystickPosition &position) = 0;
    virtual bool ReadCapabilities(unsigned id, JoystickRange &range) = 0;

protected:
    ~JoystickDriver() = default;
};

class SoundOutput {
public:
    virtual void PlayWave(int resource) = 0;

protected:
    ~SoundOutput() = default;
};

// The joystick found for one read of the controls. X and Y are the converted
// axes: about -100 at one end, 0 in the centre, about +100 at the other.
struct JoystickRecord {
    bool valid = false;
    unsigned id = 0;
    std::int32_t x = 0;
    std::int32_t y = 0;
    std::uint32_t buttons = 0;
    JoystickRange range;
};

class PlayerInput {
public:
    PlayerInput(GameBoard &board, Keyboard &keyboard, JoystickDriver &joystick, SoundOutput &sound);

    // One read of the controls: a Control* code. Cycles the trio's balls (and
    // plays the cycle sound) for every cycle key held. With joystickEnabled
    // false no joystick function is called.
    int ReadControls(bool joystickEnabled);
    // Reads the controls and applies them to the trio; true asks for a fast drop.
    bool ApplyControls(bool joystickEnabled);

    void FindJoystick();
    bool ReadJoystick();
    const JoystickRecord &Joystick() const { return record_; }

    // (raw - (min + max) / 2) * 200 / (max - min) in floating point, cut
    // towards zero; 0 for an empty range.
    static std::int32_t AxisValue(std::uint32_t raw, std::uint32_t min, std::uint32_t max);

private:
    bool Held(int virtualKey, bool (*condition)(const JoystickRecord &));

    GameBoard &board_;
    Keyboard &keyboard_;
    JoystickDriver &joystick_;
    SoundOutput &sound_;
    JoystickRecord record_;
};

} // namespace VeRize
