// The Win32 side of the game's seams, with real windows and key states.
#include "game/GameBoard.h"
#include "game/PlayerInput.h"
#include "game/win32/Win32Platform.h"

#include <gtest/gtest.h>

#include <mmsystem.h>

namespace VeRize {
namespace {

HWND MakeWindow() {
    return CreateWindowExW(0, L"STATIC", L"Corvanta test", WS_POPUP | WS_VISIBLE, 10, 10, 100, 100,
                           nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
}

void SetKey(int virtualKey, bool down) {
    BYTE state[256];
    GetKeyboardState(state);
    state[virtualKey] = down ? 0x80 : 0;
    SetKeyboardState(state);
}

TEST(Win32Keyboard, KeysCountOnlyWhileTheMainWindowIsInFront) {
    HWND main = MakeWindow();
    HWND other = MakeWindow();
    ASSERT_NE(main, nullptr);
    SetForegroundWindow(main);
    if (GetForegroundWindow() != main) {
        DestroyWindow(other);
        DestroyWindow(main);
        GTEST_SKIP() << "no foreground window on this display";
    }
    Win32Keyboard keyboard(main);
    Win32Keyboard behind(other);
    Win32Keyboard none;
    for (int key : {VkLeft, VkUp, VkRight, VkDown, VkLeftControl}) {
        SetKey(key, true);
        EXPECT_TRUE(keyboard.IsKeyDown(key)) << key;
        EXPECT_FALSE(behind.IsKeyDown(key)) << key;
        EXPECT_FALSE(none.IsKeyDown(key)) << key;
        SetKey(key, false);
        EXPECT_FALSE(keyboard.IsKeyDown(key)) << key;
    }
    // The right CTRL key is not the fast drop.
    SetKey(VK_RCONTROL, true);
    EXPECT_FALSE(keyboard.IsKeyDown(VkLeftControl));
    SetKey(VK_RCONTROL, false);
    DestroyWindow(other);
    DestroyWindow(main);
}

TEST(Win32Keyboard, VirtualKeyNumbersMatchWindows) {
    EXPECT_EQ(VkLeft, VK_LEFT);
    EXPECT_EQ(VkUp, VK_UP);
    EXPECT_EQ(VkRight, VK_RIGHT);
    EXPECT_EQ(VkDown, VK_DOWN);
    EXPECT_EQ(VkLeftControl, VK_LCONTROL);
}

class NoBoardListener final : public BoardListener {
public:
    void BallsMarked(int) override {}
    void CountersChanged() override {}
    bool IsTraining() const override { return false; }
};
class NoCells final : public CellSink {
public:
    void WriteCell(int, int, std::int32_t) override {}
};

TEST(Win32Joystick, ReadsWithOrWithoutADevice) {
    Win32Joystick joystick;
    JoystickPosition position;
    JoystickRange range;
    EXPECT_FALSE(joystick.ReadPosition(99, position));
    EXPECT_FALSE(joystick.ReadCapabilities(99, range));
    // Whatever is plugged in, a read of the controls with the joystick on
    // finds one only when its position can be read.
    NoCells cells;
    NoBoardListener listener;
    GameBoard board(cells, listener);
    Win32Keyboard keyboard;
    Win32Sound sound;
    PlayerInput input(board, keyboard, joystick, sound);
    input.ReadControls(true);
    const bool readable = joystick.DeviceCount() > 0 && (joystick.ReadPosition(0, position) ||
                                                         joystick.ReadPosition(1, position));
    if (!readable) {
        EXPECT_FALSE(input.Joystick().valid);
    }
}

TEST(Win32Sound, MissingWaveIsSilent) {
    Win32Sound sound(GetModuleHandleW(nullptr));
    sound.PlayWave(WaveCycle); // this program carries no waves: no default sound, no failure
    sound.PlayWave(WaveExplosion);
    PlaySoundW(nullptr, nullptr, 0);
    SUCCEED();
}

} // namespace
} // namespace VeRize
