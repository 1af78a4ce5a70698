// Reading the keyboard and the joystick into the five controls.
#include "BoardText.h"

#include "game/PlayerInput.h"

#include <gtest/gtest.h>

#include <limits>

namespace VeRize::test {
namespace {

constexpr int VkRightControl = 0xA3;

struct InputFixture : BoardFixture {
    FakeKeyboard keys;
    FakeJoystick joystick;
    RecordingSound sound;
    PlayerInput input{board, keys, joystick, sound};

    InputFixture() { PlaceTrio(Red, Green, Blue, 5, 3); }

    // A joystick 0 with the usual 0..65535 axes, stick centred.
    void PlugJoystick() {
        joystick.devices = 2;
        joystick.present[0] = true;
        joystick.ranges[0] = {0, 65535, 0, 65535};
        joystick.positions[0] = {32767, 32767, 0};
    }
};

using Balls = std::array<std::int32_t, 3>;

struct KeysCase {
    std::set<int> held;
    int code;
    Balls balls;
    int waves;
};

TEST(ReadControls, LaterTestsOverwriteEarlierOnesCyclesAlwaysHappen) {
    const KeysCase cases[] = {
        {{}, ControlNone, {Red, Green, Blue}, 0},
        {{VkLeft}, ControlLeft, {Red, Green, Blue}, 0},
        {{VkRight}, ControlRight, {Red, Green, Blue}, 0},
        {{VkLeft, VkRight}, ControlRight, {Red, Green, Blue}, 0},
        {{VkUp}, ControlCycleUp, {Green, Blue, Red}, 1},
        {{VkDown}, ControlCycleDown, {Blue, Red, Green}, 1},
        {{VkUp, VkLeft}, ControlCycleUp, {Green, Blue, Red}, 1},
        {{VkUp, VkRight}, ControlRight, {Green, Blue, Red}, 1},
        {{VkUp, VkDown}, ControlCycleDown, {Red, Green, Blue}, 2},
        {{VkDown, VkRight}, ControlCycleDown, {Blue, Red, Green}, 1},
        {{VkLeftControl}, ControlFastDrop, {Red, Green, Blue}, 0},
        {{VkLeftControl, VkLeft}, ControlFastDrop, {Red, Green, Blue}, 0},
        {{VkLeftControl, VkUp}, ControlFastDrop, {Green, Blue, Red}, 1},
        {{VkLeftControl, VkUp, VkDown, VkLeft, VkRight}, ControlFastDrop, {Red, Green, Blue}, 2},
        {{VkRightControl}, ControlNone, {Red, Green, Blue}, 0},
        {{VkRightControl, VkLeft}, ControlLeft, {Red, Green, Blue}, 0},
    };
    for (const KeysCase &c : cases) {
        InputFixture f;
        f.keys.held = c.held;
        SCOPED_TRACE(testing::PrintToString(c.held));
        EXPECT_EQ(f.input.ReadControls(false), c.code);
        EXPECT_EQ(f.board.Trio().balls, c.balls);
        EXPECT_EQ(f.sound.waves, std::vector<int>(c.waves, WaveCycle));
        EXPECT_TRUE(f.sink.writes.empty()); // reading moves nothing on the board
        EXPECT_EQ(f.keys.asked, (std::vector<int>{VkLeft, VkUp, VkRight, VkDown, VkLeftControl}));
        EXPECT_EQ(f.joystick.calls, 0);
    }
}

TEST(ReadControls, NothingBetweenTrios) {
    InputFixture f;
    f.board.LoadTrio(FallingTrio{});
    f.keys.held = {VkLeft, VkUp, VkLeftControl};
    EXPECT_EQ(f.input.ReadControls(false), ControlNone);
    EXPECT_TRUE(f.keys.asked.empty());
    EXPECT_TRUE(f.sound.waves.empty());

    // The joystick is still looked for.
    f.PlugJoystick();
    EXPECT_EQ(f.input.ReadControls(true), ControlNone);
    EXPECT_TRUE(f.input.Joystick().valid);
    EXPECT_EQ(f.joystick.positionReads, 2);
}

struct ApplyCase {
    const char *name;
    std::set<int> held;
    int column; // trio column before
    bool fastDrop;
    int columnAfter;
    std::vector<CellWrite> writes;
};

TEST(ApplyControls, TurnsTheAnswerIntoBoardOperations) {
    const ApplyCase cases[] = {
        {"nothing held", {}, 5, false, 5, {}},
        {"left moves the trio",
         {VkLeft},
         5,
         false,
         4,
         {{3, 5, Empty}, {3, 4, Red}, {4, 5, Empty}, {4, 4, Green}, {5, 5, Empty}, {5, 4, Blue}}},
        {"right against the wall", {VkRight}, 10, false, 10, {}},
        {"a cycle is written back",
         {VkUp},
         5,
         false,
         5,
         {{3, 5, Green}, {4, 5, Blue}, {5, 5, Red}}},
        {"both cycles write the balls back as they were",
         {VkUp, VkDown},
         5,
         false,
         5,
         {{3, 5, Red}, {4, 5, Green}, {5, 5, Blue}}},
        {"fast drop moves nothing now", {VkLeftControl, VkLeft}, 5, true, 5, {}},
        {"fast drop with a cycle leaves the cells for the next step",
         {VkLeftControl, VkUp},
         5,
         true,
         5,
         {}},
    };
    for (const ApplyCase &c : cases) {
        SCOPED_TRACE(c.name);
        InputFixture f;
        f.board.LoadCell(3, 5, Empty), f.board.LoadCell(4, 5, Empty), f.board.LoadCell(5, 5, Empty);
        f.PlaceTrio(Red, Green, Blue, c.column, 3);
        f.keys.held = c.held;
        EXPECT_EQ(f.input.ApplyControls(false), c.fastDrop);
        EXPECT_EQ(f.board.Trio().column, c.columnAfter);
        EXPECT_EQ(f.sink.writes, c.writes);
    }
}

struct AxisCase {
    std::uint32_t raw, min, max;
    std::int32_t value;
};

TEST(Joystick, AxisConversion) {
    constexpr std::uint32_t top = std::numeric_limits<std::uint32_t>::max();
    const AxisCase cases[] = {
        {0, 0, 65535, -100},
        {65535, 0, 65535, 100},
        {32767, 0, 65535, 0},
        {32768, 0, 65535, 0},
        {33095, 0, 65535, 0},  // just under 1/200 of the range
        {33096, 0, 65535, 1},  // 1/200 of the range counts
        {32439, 0, 65535, -1}, // cut towards zero, not down
        {1, 0, 3, -33},
        {2, 0, 3, 33},
        {0, 10, 20, -300}, // outside its own range
        {7, 7, 7, 0},      // empty range
        {0, 0, 0, 0},
        // unsigned values near the top: no overflow of min + max
        {4000000000u, 4000000000u, top, -100},
        {top, 4000000000u, top, 100},
        {0, 0, top, -100},
        {top, 0, top, 100},
        // far outside a tiny range: the sign survives
        {top, 0, 1, std::numeric_limits<std::int32_t>::max()},
        {0, top - 1, top, std::numeric_limits<std::int32_t>::min()},
    };
    for (const AxisCase &c : cases)
        EXPECT_EQ(PlayerInput::AxisValue(c.raw, c.min, c.max), c.value)
            << c.raw << " in " << c.min << ".." << c.max;
}

struct StickCase {
    const char *name;
    JoystickPosition position;
    int code;
};

TEST(Joystick, SteersLikeTheKeys) {
    const StickCase cases[] = {
        {"centre", {32767, 32767, 0}, ControlNone},
        {"left end", {0, 32767, 0}, ControlLeft},
        {"right end", {65535, 32767, 0}, ControlRight},
        {"pushed away", {32767, 0, 0}, ControlCycleUp},
        {"pulled back", {32767, 65535, 0}, ControlCycleDown},
        {"any button", {32767, 32767, 8}, ControlFastDrop},
        {"left and away", {0, 0, 0}, ControlCycleUp},
    };
    for (const StickCase &c : cases) {
        SCOPED_TRACE(c.name);
        InputFixture f;
        f.PlugJoystick();
        f.joystick.positions[0] = c.position;
        EXPECT_EQ(f.input.ReadControls(true), c.code);
    }
}

TEST(Joystick, FlagOffCallsNothing) {
    InputFixture f;
    f.PlugJoystick();
    f.joystick.positions[0] = {0, 0, 1};
    EXPECT_EQ(f.input.ReadControls(false), ControlNone);
    EXPECT_EQ(f.joystick.calls, 0);
    EXPECT_FALSE(f.input.Joystick().valid);
}

TEST(Joystick, PositionIsReadAfreshInEveryTest) {
    InputFixture f;
    f.PlugJoystick();
    EXPECT_EQ(f.input.ReadControls(true), ControlNone);
    EXPECT_EQ(f.joystick.positionReads, 2 + 5); // discovery reads both, then one per test
}

struct DiscoveryCase {
    const char *name;
    unsigned devices;
    bool present0, present1, caps0, caps1;
    bool valid;
    unsigned id;
    int positionReads; // during discovery
};

TEST(Joystick, Discovery) {
    const DiscoveryCase cases[] = {
        {"no devices", 0, true, true, true, true, false, 0, 0},
        {"joystick 0", 2, true, true, true, true, true, 0, 2},
        {"only joystick 1", 2, false, true, true, true, true, 1, 2},
        {"joystick 1 needs two devices", 1, false, true, true, true, false, 0, 2},
        {"none answers", 16, false, false, true, true, false, 0, 2},
        {"capabilities fail", 2, true, false, false, true, false, 0, 2},
    };
    for (const DiscoveryCase &c : cases) {
        SCOPED_TRACE(c.name);
        InputFixture f;
        f.joystick.devices = c.devices;
        f.joystick.present[0] = c.present0;
        f.joystick.present[1] = c.present1;
        f.joystick.capabilities[0] = c.caps0;
        f.joystick.capabilities[1] = c.caps1;
        f.input.FindJoystick();
        EXPECT_EQ(f.input.Joystick().valid, c.valid);
        if (c.valid) {
            EXPECT_EQ(f.input.Joystick().id, c.id);
        }
        EXPECT_EQ(f.joystick.positionReads, c.positionReads);
    }
}

TEST(Joystick, JoystickOneSteersWhenZeroIsMissing) {
    InputFixture f;
    f.joystick.devices = 2;
    f.joystick.present[1] = true;
    f.joystick.ranges[1] = {100, 200, 100, 200};
    f.joystick.positions[1] = {200, 150, 0};
    EXPECT_EQ(f.input.ReadControls(true), ControlRight);
}

TEST(Joystick, EmptyRangeReadsCentre) {
    InputFixture f;
    f.PlugJoystick();
    f.joystick.ranges[0] = {500, 500, 0, 65535};
    f.joystick.positions[0] = {0, 32767, 0};
    EXPECT_EQ(f.input.ReadControls(true), ControlNone);
    EXPECT_EQ(f.input.Joystick().x, 0);
}

TEST(Joystick, KeysAndStickTogether) {
    InputFixture f;
    f.PlugJoystick();
    f.joystick.positions[0] = {65535, 32767, 0};
    f.keys.held = {VkLeft};
    EXPECT_EQ(f.input.ReadControls(true), ControlRight);
}

TEST(Joystick, RecordIsBuiltAfreshAtEveryRead) {
    InputFixture f;
    f.PlugJoystick();
    f.joystick.positions[0] = {0, 32767, 0};
    EXPECT_EQ(f.input.ReadControls(true), ControlLeft);
    f.joystick.present[0] = false; // unplugged
    EXPECT_EQ(f.input.ReadControls(true), ControlNone);
    EXPECT_FALSE(f.input.Joystick().valid);
    f.joystick.present[0] = true;
    EXPECT_EQ(f.input.ReadControls(false), ControlNone); // switched off
    EXPECT_FALSE(f.input.Joystick().valid);
}

} // namespace
} // namespace VeRize::test
