// The tick loop with a fake clock, a fake main window and fake controls.
#include "BoardText.h"

#include "game/GameLoop.h"
#include "game/Random.h"

#include <gtest/gtest.h>

namespace VeRize::test {
namespace {

// The trio the next spawn will draw after SeedRandom(seed).
FallingTrio PredictTrio(unsigned seed) {
    SeedRandom(seed);
    FallingTrio t;
    t.column = DrawColumn();
    do {
        for (std::int32_t &b : t.balls)
            b = DrawColour();
    } while (t.balls[0] == t.balls[1] && t.balls[1] == t.balls[2]);
    t.topRow = -3;
    SeedRandom(seed);
    return t;
}

// A seed whose first trio falls in a column of the given range.
unsigned SeedForColumn(int lo, int hi) {
    for (unsigned seed = 1;; ++seed) {
        const int column = PredictTrio(seed).column;
        if (column >= lo && column <= hi)
            return seed;
    }
}

constexpr std::int64_t TickMs = 30;

struct LoopFixture {
    FakeClock clock;
    FakeView view;
    RecordingSink sink;
    FakeKeyboard keys;
    FakeJoystick joystick;
    GameLoop loop{view, sink, keys, joystick};
    int ticks = 0;

    GameBoard &board() { return loop.Board(); }

    // One timer tick; the clock then moves on by 30 ms.
    void Tick() {
        loop.Tick();
        ++ticks;
        clock.now += TickMs;
    }
    void Ticks(int n) {
        for (int i = 0; i < n; ++i)
            Tick();
    }
    // Ticks until the predicate holds; the number of ticks taken, or -1.
    template <class Predicate> int TicksUntil(Predicate done, int limit = 5000) {
        for (int i = 1; i <= limit; ++i) {
            Tick();
            if (done())
                return i;
        }
        return -1;
    }
    // Starts a game and places a trio of its own in play.
    void StartWithTrio(int column, int topRow) {
        loop.StartOrAbandon();
        FallingTrio t;
        t.balls = {Red, Green, Blue};
        t.column = column;
        t.topRow = topRow;
        board().LoadTrio(t);
        for (int j = 0; j < 3; ++j)
            if (topRow + j >= 0)
                board().LoadCell(topRow + j, column, t.balls[j]);
    }
};

TEST(GameLoop, IdleTicksOnlyMoveTheTicker) {
    LoopFixture f;
    f.Ticks(100);
    EXPECT_EQ(f.view.tickerSteps, 100);
    EXPECT_TRUE(f.sink.writes.empty());
    EXPECT_TRUE(f.keys.asked.empty());
    EXPECT_EQ(f.loop.TicksSinceStep(), 0);
}

TEST(GameLoop, FirstTrioEntersThirtyOneTicksAfterPlay) {
    LoopFixture f;
    const FallingTrio next = PredictTrio(11);
    f.loop.StartOrAbandon();
    EXPECT_TRUE(f.loop.Playing());
    EXPECT_EQ(f.view.buttonText, "ABBANDONA");
    EXPECT_EQ(f.view.statusText, "");
    EXPECT_EQ(f.view.scoreText, "Punteggio: 00000");
    EXPECT_EQ(f.view.levelText, "Livello: 00");

    f.Ticks(30);
    EXPECT_FALSE(f.board().Trio().InPlay());
    f.Tick();
    ASSERT_TRUE(f.board().Trio().InPlay());
    EXPECT_EQ(f.board().Trio().column, next.column);
    EXPECT_EQ(f.board().Trio().topRow, -2);
    EXPECT_EQ(f.board().Cell(0, next.column), next.balls[2]);
    EXPECT_EQ(f.view.levelText, "Livello: 01");
    EXPECT_EQ(f.loop.TicksSinceStep(), 0);

    // The first trio falls one row every 30 ticks.
    EXPECT_EQ(f.TicksUntil([&] { return f.board().Trio().topRow == -1; }), 30);
    EXPECT_EQ(f.TicksUntil([&] { return f.board().Trio().topRow == 0; }), 30);
}

TEST(GameLoop, ControlsAreReadEveryFourthTick) {
    LoopFixture f;
    SeedRandom(SeedForColumn(1, 5));
    f.loop.StartOrAbandon();
    f.keys.held = {VkRight};
    f.Ticks(31);
    ASSERT_TRUE(f.board().Trio().InPlay());
    int column = f.board().Trio().column;
    std::vector<int> moves; // tick numbers at which the trio moved right
    for (int i = 0; i < 60; ++i) {
        f.Tick();
        if (f.board().Trio().column != column) {
            EXPECT_EQ(f.board().Trio().column, column + 1);
            column = f.board().Trio().column;
            moves.push_back(f.ticks);
        }
    }
    EXPECT_EQ(column, 10);
    ASSERT_GE(moves.size(), 5u);
    for (std::size_t i = 1; i < moves.size(); ++i)
        EXPECT_EQ(moves[i] - moves[i - 1], 4);
}

TEST(GameLoop, FastDropWaitsForTheDueStepThenLandsInOneTick) {
    LoopFixture f;
    SeedRandom(3);
    f.loop.StartOrAbandon();
    f.Ticks(31);
    ASSERT_EQ(f.board().Trio().topRow, -2);
    const int column = f.board().Trio().column;
    const auto balls = f.board().Trio().balls;
    f.keys.held = {VkLeftControl};
    f.Ticks(4); // one read of the controls
    f.keys.held.clear();
    EXPECT_TRUE(f.board().FastDrop());
    f.Ticks(30 - 4 - 1);
    EXPECT_EQ(f.board().Trio().topRow, -2); // nothing moved yet
    f.Tick();                               // the due step
    EXPECT_FALSE(f.board().Trio().InPlay());
    EXPECT_FALSE(f.board().FastDrop());
    EXPECT_EQ(f.board().Cell(11, column), balls[0]);
    EXPECT_EQ(f.board().Cell(12, column), balls[1]);
    EXPECT_EQ(f.board().Cell(13, column), balls[2]);
    EXPECT_EQ(f.board().Cell(10, column), Empty);
}

TEST(GameLoop, StepThresholdTable) {
    const std::pair<int, int> table[] = {
        {0, 30}, {1, 29},  {24, 6},  {25, 5}, {26, 5}, {40, 5},  {41, 30}, {49, 30}, {50, 5},
        {60, 5}, {61, 30}, {69, 30}, {70, 5}, {80, 5}, {81, 30}, {89, 30}, {90, 5},  {500, 5},
    };
    for (auto [n, t] : table) {
        EXPECT_EQ(GameLoop::StepThreshold(n, false), t) << n;
        EXPECT_EQ(GameLoop::StepThreshold(n, true), 30) << n;
    }
}

TEST(GameLoop, TicksPerStepFollowTheTrioCount) {
    const std::pair<int, int> table[] = {{24, 7},  {25, 6}, {40, 6}, {41, 31},
                                         {49, 31}, {50, 6}, {90, 6}};
    for (bool training : {false, true}) {
        for (auto [n, ticksPerStep] : table) {
            SCOPED_TRACE(testing::Message() << "trio count " << n << (training ? " training" : ""));
            LoopFixture f;
            f.view.training = training;
            f.StartWithTrio(5, 2);
            f.board().LoadCounters(0, n, n / 10 + 1);
            const int expected = training ? 31 : ticksPerStep;
            EXPECT_EQ(f.TicksUntil([&] { return f.board().Trio().topRow == 3; }), expected);
            EXPECT_EQ(f.TicksUntil([&] { return f.board().Trio().topRow == 4; }), expected);
        }
    }
}

TEST(GameLoop, AbandonKeepsBoardAndCountersNextGameEmptiesThem) {
    LoopFixture f;
    SeedRandom(21);
    f.loop.StartOrAbandon();
    f.keys.held = {VkLeftControl};
    ASSERT_NE(
        f.TicksUntil([&] { return f.board().TrioCount() == 3 && !f.board().Trio().InPlay(); }), -1);
    f.keys.held.clear();
    f.board().LoadCounters(17, 3, 1);

    f.loop.StartOrAbandon();
    EXPECT_FALSE(f.loop.Playing());
    EXPECT_EQ(f.view.buttonText, "GIOCA");
    const Picture shown = Draw(f.board(), 14);
    const std::string score = f.view.scoreText, level = f.view.levelText;
    const std::size_t writes = f.sink.writes.size();
    f.Ticks(200);
    EXPECT_EQ(Draw(f.board(), 14), shown);
    EXPECT_EQ(f.sink.writes.size(), writes);
    EXPECT_EQ(f.board().Score(), 17);
    EXPECT_EQ(f.view.scoreText, score);
    EXPECT_EQ(f.view.levelText, level);

    f.loop.StartOrAbandon();
    EXPECT_TRUE(f.loop.Playing());
    EXPECT_TRUE(EmptyAbove(f.board(), 0));
    EXPECT_EQ(f.board().Score(), 0);
    EXPECT_EQ(f.view.scoreText, "Punteggio: 00000");
    EXPECT_EQ(f.view.levelText, "Livello: 00");
}

TEST(GameLoop, ThePlayButtonTextDecides) {
    LoopFixture f;
    f.board().LoadCell(13, 4, Red);
    f.view.buttonText = "ABBANDONA";
    f.loop.StartOrAbandon();
    EXPECT_FALSE(f.loop.Playing());
    EXPECT_EQ(f.view.buttonText, "GIOCA");
    EXPECT_EQ(f.board().Cell(13, 4), Red);
}

// Fills the column of the next trio up to row 0 without runs.
void FillColumn(GameBoard &board, int column) {
    for (int r = 0; r <= LastPlayRow; ++r)
        board.LoadCell(r, column, r % 2 ? Red : Blue);
}

TEST(GameLoop, GameOverWithPointsHandsOverToNameEntry) {
    for (int score : {0, 1, 250}) {
        SCOPED_TRACE(score);
        LoopFixture f;
        const FallingTrio next = PredictTrio(5);
        f.loop.StartOrAbandon();
        FillColumn(f.board(), next.column);
        f.board().LoadCounters(score, 12, 2);
        f.board().SetFastDrop(true);
        f.Ticks(31);
        EXPECT_FALSE(f.loop.Playing());
        EXPECT_EQ(f.view.statusText, "Fine gioco!");
        EXPECT_EQ(f.view.buttonText, "GIOCA");
        EXPECT_FALSE(f.board().FastDrop());
        EXPECT_TRUE(f.board().Trio().InPlay()); // the last trio stays where it stopped
        if (score >= 1) {
            EXPECT_EQ(f.view.nameEntries,
                      (std::vector<std::pair<std::int32_t, std::int32_t>>{{score, 2}}));
        } else {
            EXPECT_TRUE(f.view.nameEntries.empty());
        }
        const std::size_t writes = f.sink.writes.size();
        f.Ticks(100);
        EXPECT_EQ(f.sink.writes.size(), writes);
    }
}

TEST(GameLoop, TrainingKeepsOneSpeedScoresNothingAsksNoName) {
    LoopFixture f;
    f.view.training = true;
    // The first trio lands on two balls of its bottom colour.
    const FallingTrio next = PredictTrio(8);
    f.loop.StartOrAbandon();
    f.board().LoadCell(12, next.column, next.balls[2]);
    f.board().LoadCell(13, next.column, next.balls[2]);
    f.keys.held = {VkLeftControl};
    f.view.waves.clear();
    int lastStep = f.ticks;
    bool clearingBefore = false;
    while (f.loop.Playing() && f.ticks < 100000) {
        clearingBefore = f.board().Clearing();
        f.Tick();
        if (f.loop.TicksSinceStep() == 0) {
            EXPECT_EQ(f.ticks - lastStep, clearingBefore ? 21 : 31);
            lastStep = f.ticks;
        }
    }
    EXPECT_FALSE(f.loop.Playing());
    EXPECT_EQ(f.view.statusText, "Fine gioco!");
    EXPECT_TRUE(f.view.nameEntries.empty());
    EXPECT_EQ(f.board().Score(), 0);
    EXPECT_EQ(f.view.scoreText, "Punteggio: 00000");
    EXPECT_GT(f.board().TrioCount(), 10);
    EXPECT_EQ(f.board().Level(), f.board().TrioCount() / 10 + 1);
    ASSERT_FALSE(f.view.waves.empty());
    EXPECT_EQ(f.view.waves.front(), WaveExplosion);
}

TEST(GameLoop, ClearingStepEveryTwentyOneTicksWithoutReadingControls) {
    LoopFixture f;
    f.loop.StartOrAbandon();
    LoadPicture(f.board(), {"..Y.......", "YY***.....", "RGBRGBRGBR"});
    f.board().LoadClearing(true, false, 12);
    f.keys.held = {VkLeft};
    f.Ticks(20);
    EXPECT_EQ(Draw(f.board(), 3), (Picture{"..Y.......", "YY***.....", "RGBRGBRGBR"}));
    f.Tick();
    EXPECT_EQ(Draw(f.board(), 3), (Picture{"..Y.......", "YY........", "RGBRGBRGBR"}));
    f.Ticks(21);
    EXPECT_EQ(Draw(f.board(), 3), (Picture{"..........", "***.......", "RGBRGBRGBR"}));
    EXPECT_EQ(f.view.waves, std::vector<int>{WaveExplosion});
    EXPECT_EQ(f.view.scoreText, "Punteggio: 00003");
    EXPECT_EQ(f.TicksUntil([&] { return !f.board().Clearing(); }), 42);
    EXPECT_TRUE(f.keys.asked.empty());
    // Then the game goes on: the first trio after 31 more ticks.
    EXPECT_EQ(f.TicksUntil([&] { return f.board().Trio().InPlay(); }), 31);
}

TEST(GameLoop, PendingClearingPhaseEndsOnTheNextGamesEmptyBoard) {
    LoopFixture f;
    f.loop.StartOrAbandon();
    LoadPicture(f.board(), {"YY***.....", "RGBRGBRGBR"});
    f.board().LoadClearing(true, false, 12);
    f.Ticks(5);
    f.loop.StartOrAbandon(); // abandon during the phase
    EXPECT_TRUE(f.board().Clearing());
    f.loop.StartOrAbandon(); // a new game
    EXPECT_TRUE(f.board().Clearing());
    // ticksSinceStep carried on from the abandoned game
    EXPECT_EQ(f.TicksUntil([&] { return !f.board().Clearing(); }), 21 - 5);
    EXPECT_TRUE(f.view.waves.empty());
    EXPECT_EQ(f.TicksUntil([&] { return f.board().Trio().InPlay(); }), 31);
}

TEST(GameLoop, ClockSetBackDoesNotFreezeTheControls) {
    LoopFixture f;
    SeedRandom(SeedForColumn(1, 3));
    f.loop.StartOrAbandon();
    f.Ticks(31);
    ASSERT_TRUE(f.board().Trio().InPlay());
    f.keys.held = {VkRight};
    const int start = f.board().Trio().column;
    EXPECT_EQ(f.TicksUntil([&] { return f.board().Trio().column == start + 1; }, 4) > 0, true);

    f.clock.now -= 3600 * 1000; // an hour back
    const int topRow = f.board().Trio().topRow;
    // The first tick finds a negative time, the next read is one interval later.
    EXPECT_EQ(f.TicksUntil([&] { return f.board().Trio().column == start + 2; }, 10), 5);
    EXPECT_EQ(f.TicksUntil([&] { return f.board().Trio().column == start + 3; }, 10), 4);
    // The trio kept falling all along.
    EXPECT_NE(f.TicksUntil([&] { return f.board().Trio().topRow > topRow; }, 40), -1);
}

TEST(GameLoop, CountersTexts) {
    LoopFixture f;
    f.loop.RefreshCounters();
    EXPECT_EQ(f.view.scoreText, "Punteggio: 00000");
    EXPECT_EQ(f.view.levelText, "Livello: 00");
    f.board().LoadCounters(42, 25, 3);
    f.loop.RefreshCounters();
    EXPECT_EQ(f.view.scoreText, "Punteggio: 00042");
    EXPECT_EQ(f.view.levelText, "Livello: 03");
    f.board().LoadCounters(123456, 1000, 101);
    f.loop.RefreshCounters();
    EXPECT_EQ(f.view.scoreText, "Punteggio: 123456");
    EXPECT_EQ(f.view.levelText, "Livello: 101");
}

TEST(GameLoop, ReentryIsDroppedWhole) {
    LoopFixture f;
    f.loop.StartOrAbandon();
    f.view.onTicker = [&] { f.loop.Tick(); };
    f.Tick();
    EXPECT_EQ(f.view.tickerSteps, 1);
    EXPECT_EQ(f.loop.TicksSinceStep(), 1);
}

TEST(GameLoop, JoystickOptionIsReadAtEveryRead) {
    LoopFixture f;
    f.loop.StartOrAbandon();
    f.Ticks(10);
    EXPECT_EQ(f.joystick.calls, 0);
    f.view.joystick = true;
    f.Ticks(4);
    EXPECT_GT(f.joystick.calls, 0);
}

} // namespace
} // namespace VeRize::test
