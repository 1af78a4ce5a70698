#include "game/PlayerInput.h"

#include "game/GameBoard.h"

#include <limits>

namespace VeRize {

PlayerInput::PlayerInput(GameBoard &board, Keyboard &keyboard, JoystickDriver &joystick,
                         SoundOutput &sound)
    : board_(board), keyboard_(keyboard), joystick_(joystick), sound_(sound) {}

std::int32_t PlayerInput::AxisValue(std::uint32_t raw, std::uint32_t min, std::uint32_t max) {
    if (max == min)
        return 0;
    const double lo = static_cast<double>(min);
    const double hi = static_cast<double>(max);
    const double value = (static_cast<double>(raw) - (lo + hi) / 2.0) * 200.0 / (hi - lo);
    // A driver reporting a position far outside its own range must not
    // overflow the conversion; such values only need to keep their sign.
    constexpr double least = std::numeric_limits<std::int32_t>::min();
    constexpr double most = std::numeric_limits<std::int32_t>::max();
    if (value <= least)
        return std::numeric_limits<std::int32_t>::min();
    if (value >= most)
        return std::numeric_limits<std::int32_t>::max();
    return static_cast<std::int32_t>(value);
}

void PlayerInput::FindJoystick() {
    const unsigned count = joystick_.DeviceCount();
    if (count == 0)
        return;
    JoystickPosition position;
    const bool first = joystick_.ReadPosition(0, position);
    const bool second = joystick_.ReadPosition(1, position) && count > 1;
    if (!first && !second)
        return;
    record_.id = first ? 0 : 1;
    record_.valid = joystick_.ReadCapabilities(record_.id, record_.range);
}

bool PlayerInput::ReadJoystick() {
    record_.x = 0;
    record_.y = 0;
    record_.buttons = 0;
    JoystickPosition position;
    if (!joystick_.ReadPosition(record_.id, position))
        return false;
    record_.x = AxisValue(position.x, record_.range.xMin, record_.range.xMax);
    record_.y = AxisValue(position.y, record_.range.yMin, record_.range.yMax);
    record_.buttons = position.buttons;
    return true;
}

bool PlayerInput::Held(int virtualKey, bool (*condition)(const JoystickRecord &)) {
    if (keyboard_.IsKeyDown(virtualKey))
        return true;
    return record_.valid && ReadJoystick() && condition(record_);
}

int PlayerInput::ReadControls(bool joystickEnabled) {
    record_ = JoystickRecord{};
    int code = ControlNone;
    if (joystickEnabled)
        FindJoystick();
    if (!board_.Trio().InPlay())
        return ControlNone;
    if (Held(VkLeft, [](const JoystickRecord &j) { return j.x < 0; }))
        code = ControlLeft;
    if (Held(VkUp, [](const JoystickRecord &j) { return j.y < 0; })) {
        board_.CycleTrio(CycleDirection::Up);
        sound_.PlayWave(WaveCycle);
        code = ControlCycleUp;
    }
    if (Held(VkRight, [](const JoystickRecord &j) { return j.x > 0; }))
        code = ControlRight;
    if (Held(VkDown, [](const JoystickRecord &j) { return j.y > 0; })) {
        board_.CycleTrio(CycleDirection::Down);
        sound_.PlayWave(WaveCycle);
        code = ControlCycleDown;
    }
    if (Held(VkLeftControl, [](const JoystickRecord &j) { return j.buttons != 0; }))
        code = ControlFastDrop;
    return code;
}

bool PlayerInput::ApplyControls(bool joystickEnabled) {
    const int code = ReadControls(joystickEnabled);
    switch (code) {
    case ControlFastDrop:
        return true;
    case ControlCycleUp:
    case ControlCycleDown:
        board_.RedrawTrio();
        return false;
    case ControlLeft:
    case ControlRight:
        board_.ShiftTrio(code);
        return false;
    default:
        return false;
    }
}

} // namespace VeRize
