// Board rules on small hand-drawn boards.
#include "BoardText.h"

#include "game/GameBoard.h"
#include "game/Random.h"

#include <gtest/gtest.h>

#include <set>

namespace VeRize::test {
namespace {

// ---------------------------------------------------------------- frame

TEST(BoardFrame, BuiltWithFrameValuesAndNoWrites) {
    BoardFixture f;
    EXPECT_TRUE(f.sink.writes.empty());
    EXPECT_EQ(f.board.Cell(0, 0), WallLeft);
    EXPECT_EQ(f.board.Cell(13, 0), WallLeft);
    EXPECT_EQ(f.board.Cell(0, 11), WallRight);
    EXPECT_EQ(f.board.Cell(13, 11), WallRight);
    EXPECT_EQ(f.board.Cell(14, 0), CornerLeft);
    EXPECT_EQ(f.board.Cell(14, 11), CornerRight);
    int floors = 0, interior = 0, empty = 0;
    for (int r = 0; r < BoardRows; ++r)
        for (int c = 0; c < BoardColumns; ++c) {
            floors += f.board.Cell(r, c) == Floor;
            interior += GameBoard::IsInterior(r, c);
            empty += f.board.Cell(r, c) == Empty;
            EXPECT_EQ(f.board.Cell(r, c), GameBoard::FrameValue(r, c));
        }
    EXPECT_EQ(floors, 10);
    EXPECT_EQ(interior, 140);
    EXPECT_EQ(empty, 140);
    EXPECT_FALSE(GameBoard::IsInterior(14, 5));
    EXPECT_FALSE(GameBoard::IsInterior(5, 0));
    EXPECT_FALSE(GameBoard::IsInterior(5, 11));
}

TEST(BoardReset, EmptiesPlayingAreaKeepsFrameAndProcessWideState) {
    BoardFixture f;
    LoadPicture(f.board, {"R*Y.......", "GGB*******"});
    f.board.LoadCell(0, 10, Blue);
    f.PlaceTrio(Red, Green, Blue, 7, 3);
    f.board.LoadCounters(42, 17, 2);
    f.board.LoadClearing(true, true, 9);
    f.board.SetFastDrop(true);

    f.board.Reset();

    for (int r = 0; r < BoardRows; ++r)
        for (int c = 0; c < BoardColumns; ++c)
            EXPECT_EQ(f.board.Cell(r, c), GameBoard::FrameValue(r, c)) << r << "," << c;
    ASSERT_EQ(f.sink.writes.size(), 140u);
    for (const CellWrite &w : f.sink.writes) {
        EXPECT_TRUE(GameBoard::IsInterior(w.row, w.column));
        EXPECT_EQ(w.value, Empty);
    }
    EXPECT_EQ(f.board.Score(), 0);
    EXPECT_EQ(f.board.TrioCount(), 0);
    EXPECT_EQ(f.board.Level(), 0);
    EXPECT_EQ(f.listener.countersChanged, 1);
    EXPECT_FALSE(f.board.Trio().InPlay());
    EXPECT_EQ(f.board.Trio().balls, (std::array<std::int32_t, 3>{0, 0, 0}));
    // Kept across games.
    EXPECT_EQ(f.board.Trio().column, 7);
    EXPECT_EQ(f.board.Trio().topRow, 3);
    EXPECT_TRUE(f.board.Clearing());
    EXPECT_TRUE(f.board.BoardPass());
    EXPECT_EQ(f.board.ScanRowIndex(), 9);
    EXPECT_TRUE(f.board.FastDrop());
}

// ---------------------------------------------------------------- spawning

TEST(BoardSpawn, NeverThreeEqualColoursAlwaysInsideTheBoard) {
    BoardFixture f;
    std::set<int> columns;
    bool twoEqualSeen = false;
    for (unsigned seed = 0; seed < 2000; ++seed) {
        SeedRandom(seed);
        f.board.SpawnTrio();
        const FallingTrio &t = f.board.Trio();
        columns.insert(t.column);
        EXPECT_EQ(t.topRow, -3);
        for (std::int32_t b : t.balls) {
            EXPECT_GE(b, Yellow);
            EXPECT_LE(b, Blue);
        }
        EXPECT_FALSE(t.balls[0] == t.balls[1] && t.balls[1] == t.balls[2]) << "seed " << seed;
        twoEqualSeen |=
            t.balls[0] == t.balls[1] || t.balls[1] == t.balls[2] || t.balls[0] == t.balls[2];
    }
    EXPECT_EQ(columns, (std::set<int>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10}));
    EXPECT_TRUE(twoEqualSeen);
}

TEST(BoardSpawn, ThreeEqualColoursAreDrawnAgain) {
    // Find a sequence whose first three colour draws are equal.
    unsigned seed = 0;
    for (;; ++seed) {
        SeedRandom(seed);
        DrawColumn();
        const int a = DrawColour(), b = DrawColour(), c = DrawColour();
        if (a == b && b == c)
            break;
    }
    SeedRandom(seed);
    const int column = DrawColumn();
    DrawColour(), DrawColour(), DrawColour();
    std::array<std::int32_t, 3> next{};
    do {
        for (std::int32_t &v : next)
            v = DrawColour();
    } while (next[0] == next[1] && next[1] == next[2]);

    BoardFixture f;
    SeedRandom(seed);
    f.board.SpawnTrio();
    EXPECT_EQ(f.board.Trio().column, column);
    EXPECT_EQ(f.board.Trio().balls, next);
}

TEST(BoardSpawn, SeedFixesTheSequence) {
    SeedRandom(1234);
    std::vector<int> first;
    for (int i = 0; i < 20; ++i)
        first.push_back(NextRandom());
    SeedRandom(1234);
    for (int i = 0; i < 20; ++i) {
        const int v = NextRandom();
        EXPECT_EQ(v, first[i]);
        EXPECT_GE(v, 0);
        EXPECT_LE(v, RandomMax);
    }
    for (int i = 0; i < 1000; ++i) {
        const int v = RandomUpTo(7);
        EXPECT_GE(v, 1);
        EXPECT_LE(v, 7);
    }
}

TEST(BoardLevel, ZeroAfterResetOneAtFirstSpawnTwoAtTenth) {
    BoardFixture f;
    SeedRandom(5);
    f.board.Reset();
    EXPECT_EQ(f.board.Level(), 0);
    const std::pair<int, int> expected[] = {{1, 1}, {2, 1}, {9, 1}, {10, 2}, {19, 2}, {20, 3}};
    int spawned = 0;
    for (auto [count, level] : expected) {
        while (spawned < count) {
            f.board.SpawnTrio();
            ++spawned;
        }
        EXPECT_EQ(f.board.TrioCount(), count);
        EXPECT_EQ(f.board.Level(), level) << "after " << count << " trios";
    }
    EXPECT_EQ(f.listener.countersChanged, 1 + 20);
}

// ---------------------------------------------------------------- stepping

struct StepCase {
    const char *name;
    int topRow;   // trio column 4, balls R G B
    int blockRow; // a Yellow ball placed here in column 4, -1 for none
    StepResult result;
    int topRowAfter;
    std::vector<CellWrite> writes;
};

TEST(BoardStepDown, MovesLandsOrEndsTheGame) {
    const StepCase cases[] = {
        {"fresh trio shows its bottom ball in row 0",
         -3,
         -1,
         StepResult::Moved,
         -2,
         {{0, 4, Blue}}},
        {"second step", -2, -1, StepResult::Moved, -1, {{0, 4, Green}, {1, 4, Blue}}},
        {"third step", -1, -1, StepResult::Moved, 0, {{0, 4, Red}, {1, 4, Green}, {2, 4, Blue}}},
        {"inside the board the top cell is emptied",
         5,
         -1,
         StepResult::Moved,
         6,
         {{5, 4, Empty}, {6, 4, Red}, {7, 4, Green}, {8, 4, Blue}}},
        {"a ball in row 0 ends the game at the first step", -3, 0, StepResult::GameOver, -3, {}},
        {"blocked while reaching above the board", -1, 2, StepResult::GameOver, -1, {}},
        {"at rest in rows 0 to 2 the game is over", 0, 3, StepResult::GameOver, 0, {}},
        {"at rest in rows 1 to 3 the trio lands", 1, 4, StepResult::Landed, 1, {}},
        {"the floor stops the trio", 11, -1, StepResult::Landed, 11, {}},
    };
    for (const StepCase &c : cases) {
        SCOPED_TRACE(c.name);
        BoardFixture f;
        f.PlaceTrio(Red, Green, Blue, 4, c.topRow);
        if (c.blockRow >= 0)
            f.board.LoadCell(c.blockRow, 4, Yellow);
        f.board.SetFastDrop(true);
        EXPECT_EQ(f.board.StepDown(), c.result);
        EXPECT_EQ(f.board.Trio().topRow, c.topRowAfter);
        EXPECT_EQ(f.sink.writes, c.writes);
        EXPECT_EQ(f.board.Trio().InPlay(), c.result != StepResult::Landed);
        // Only a landing clears the fast drop; game over leaves it to the loop.
        EXPECT_EQ(f.board.FastDrop(), c.result != StepResult::Landed);
    }
}

// ---------------------------------------------------------------- landing

struct LandingCase {
    const char *name;
    std::array<std::int32_t, 3> trio;
    int column;
    int topRow;
    Picture before; // lowest rows, trio cells included
    Picture after;
    int score;
    bool clearing;
    bool boardPass;
    int scanRow;
};

TEST(BoardLanding, VerticalAndHorizontalRuns) {
    const LandingCase cases[] = {
        {"bottom Red on two Reds: the middle Blue is skipped",
         {Yellow, Blue, Red},
         1,
         8,
         {"Y.........", "B.........", "R.........", "R.........", "R.........", "G........."},
         {"Y.........", "B.........", "*.........", "*.........", "*.........", "G........."},
         3,
         true,
         true,
         12},
        {"a Red middle ball and every Red below join the run",
         {Yellow, Red, Red},
         1,
         7,
         {"Y.........", "R.........", "R.........", "R.........", "R.........", "R.........",
          "B........."},
         {"Y.........", "*.........", "*.........", "*.........", "*.........", "*.........",
          "B........."},
         5,
         true,
         true,
         12},
        {"Red Red Blue on Red: no run",
         {Red, Red, Blue},
         1,
         10,
         {"R.........", "R.........", "B.........", "R........."},
         {"R.........", "R.........", "B.........", "R........."},
         0,
         false,
         false,
         -1},
        {"Green Red Red on Red: the top Green stays",
         {Green, Red, Red},
         1,
         9,
         {"G.........", "R.........", "R.........", "R.........", "Y........."},
         {"G.........", "*.........", "*.........", "*.........", "Y........."},
         3,
         true,
         true,
         12},
        {"a matching ball two rows above the anchor is not marked",
         {Red, Blue, Red},
         1,
         9,
         {"R.........", "B.........", "R.........", "R.........", "R........."},
         {"R.........", "B.........", "*.........", "*.........", "*........."},
         3,
         true,
         true,
         13},
        {"landing completes a row run",
         {Yellow, Green, Blue},
         3,
         10,
         {"..Y.......", "..G.......", "BBB.......", "RGYRGYRGYR"},
         {"..Y.......", "..G.......", "***.......", "RGYRGYRGYR"},
         3,
         true,
         false,
         12},
        {"runs in two rows: only the lower one is marked",
         {Red, Yellow, Blue},
         3,
         10,
         {"..R.......", "YYY.......", "BBB.......", "RGYRGYRGYR"},
         {"..R.......", "YYY.......", "***.......", "RGYRGYRGYR"},
         3,
         true,
         false,
         12},
        {"a run of two is never marked",
         {Red, Yellow, Blue},
         3,
         10,
         {"..R.......", ".YY.......", ".BB.......", "RGYRGYRGYR"},
         {"..R.......", ".YY.......", ".BB.......", "RGYRGYRGYR"},
         0,
         false,
         false,
         -1},
    };
    for (const LandingCase &c : cases) {
        SCOPED_TRACE(c.name);
        BoardFixture f;
        LoadPicture(f.board, c.before);
        f.PlaceTrio(c.trio[0], c.trio[1], c.trio[2], c.column, c.topRow);
        f.board.SetFastDrop(true);
        ASSERT_EQ(f.board.StepDown(), StepResult::Landed);
        EXPECT_EQ(Draw(f.board, static_cast<int>(c.after.size())), c.after);
        EXPECT_TRUE(EmptyAbove(f.board, static_cast<int>(c.after.size())));
        EXPECT_EQ(f.board.Score(), c.score);
        EXPECT_EQ(f.listener.ballsMarked, c.score);
        EXPECT_EQ(f.listener.marked.size(), c.score > 0 ? 1u : 0u);
        EXPECT_EQ(f.board.Clearing(), c.clearing);
        EXPECT_EQ(f.board.BoardPass(), c.boardPass);
        EXPECT_EQ(f.board.ScanRowIndex(), c.scanRow);
        EXPECT_FALSE(f.board.Trio().InPlay());
        EXPECT_EQ(f.board.Trio().column, c.column);
        EXPECT_FALSE(f.board.FastDrop());
        // Every write was an explosion mark.
        for (const CellWrite &w : f.sink.writes)
            EXPECT_EQ(w.value, Exploding);
    }
}

TEST(BoardLanding, TrainingScoresNothingButStillNotifies) {
    BoardFixture f;
    f.listener.training = true;
    LoadPicture(f.board, {"Y.........", "B.........", "R.........", "R.........", "R........."});
    f.PlaceTrio(Yellow, Blue, Red, 1, 9);
    ASSERT_EQ(f.board.StepDown(), StepResult::Landed);
    EXPECT_EQ(f.board.Score(), 0);
    EXPECT_EQ(f.listener.marked, std::vector<int>{3});
    EXPECT_TRUE(f.board.Clearing());
}

// ---------------------------------------------------------------- matching

TEST(BoardMatchVertical, RowLimits) {
    BoardFixture f;
    LoadPicture(f.board, {"R.........", "R.........", "R........."});
    int row = -1;
    EXPECT_EQ(f.board.MatchVertical(1, row), 0);
    EXPECT_EQ(row, -1);
    row = 13;
    EXPECT_EQ(f.board.MatchVertical(1, row), 0);
    EXPECT_EQ(row, 13);
    row = 12;
    EXPECT_EQ(f.board.MatchVertical(1, row), 3); // marking starts one row above
    EXPECT_EQ(row, 13);
    EXPECT_TRUE(f.sink.writes.size() == 3u);

    // Anchored in row 0, marking starts at row 0.
    BoardFixture top;
    for (int r = 0; r < 3; ++r)
        top.board.LoadCell(r, 5, Green);
    top.board.LoadCell(3, 5, Blue);
    row = 0;
    EXPECT_EQ(top.board.MatchVertical(5, row), 3);
    EXPECT_EQ(row, 2);
    EXPECT_EQ(top.sink.writes,
              (std::vector<CellWrite>{{0, 5, Exploding}, {1, 5, Exploding}, {2, 5, Exploding}}));
}

struct ScanCase {
    const char *row;
    const char *after;
    int total;
};

TEST(BoardScanRow, MarksEveryRunOfThreeOrMore) {
    const ScanCase cases[] = {
        {"BBB..YYYY.", "***..****.", 7},  {"BB.YY.GG.R", "BB.YY.GG.R", 0},
        {"RRRRRRRRRR", "**********", 10}, {"YYYGGGBBBR", "*********R", 9},
        {"RGRGRGRGRG", "RGRGRGRGRG", 0},  {"..........", "..........", 0},
    };
    for (const ScanCase &c : cases) {
        SCOPED_TRACE(c.row);
        BoardFixture f;
        LoadPicture(f.board, {c.row, "YGBRYGBRYG"});
        EXPECT_EQ(f.board.ScanRow(12), c.total);
        EXPECT_EQ(Draw(f.board, 2), (Picture{c.after, "YGBRYGBRYG"}));
        EXPECT_EQ(f.board.Score(), 0); // the scan alone neither scores nor notifies
        EXPECT_TRUE(f.listener.marked.empty());
    }
    BoardFixture f;
    EXPECT_EQ(f.board.ScanRow(-1), 0);
}

TEST(BoardScanRowsUpward, StopsAtTheFirstRowWithRuns) {
    BoardFixture f;
    LoadPicture(f.board, {"GGG.......", "...RRR....", "YGBRYGBRYG", "YGBRYGBRYG"});
    f.board.LoadClearing(false, false, 13);
    EXPECT_TRUE(f.board.ScanRowsUpward());
    EXPECT_EQ(f.board.ScanRowIndex(), 11);
    EXPECT_EQ(Draw(f.board, 4), (Picture{"GGG.......", "...***....", "YGBRYGBRYG", "YGBRYGBRYG"}));
    EXPECT_EQ(f.board.Score(), 3);
    EXPECT_EQ(f.listener.marked, std::vector<int>{3});

    BoardFixture none;
    LoadPicture(none.board, {"YGBRYGBRYG"});
    none.board.LoadClearing(false, false, 13);
    EXPECT_FALSE(none.board.ScanRowsUpward());
    EXPECT_EQ(none.board.ScanRowIndex(), -1);
}

// ---------------------------------------------------------------- moving

struct ShiftCase {
    const char *name;
    int column;
    int topRow;
    int direction;
    int blockRow; // Yellow ball placed at (blockRow, column + direction), -1 none
    int columnAfter;
};

TEST(BoardShiftTrio, WallsAndBallsStopTheTrio) {
    const ShiftCase cases[] = {
        {"left wall", 1, 5, -1, -1, 1},
        {"right wall", 10, 5, +1, -1, 10},
        {"free to the left", 5, 5, -1, -1, 4},
        {"free to the right", 5, 5, +1, -1, 6},
        {"a ball beside the bottom ball", 5, 5, +1, 7, 5},
        {"a ball beside the top ball", 5, 5, -1, 5, 5},
        {"a ball below the trio's reach does not stop it", 5, 5, -1, 8, 4},
        {"partly above the board only board cells count", 5, -2, +1, 1, 6},
        {"partly above the board, blocked in row 0", 5, -2, +1, 0, 5},
        {"right wall with only the bottom ball on the board", 10, -2, +1, -1, 10},
    };
    for (const ShiftCase &c : cases) {
        SCOPED_TRACE(c.name);
        BoardFixture f;
        f.PlaceTrio(Red, Green, Blue, c.column, c.topRow);
        if (c.blockRow >= 0)
            f.board.LoadCell(c.blockRow, c.column + c.direction, Yellow);
        f.board.ShiftTrio(c.direction);
        EXPECT_EQ(f.board.Trio().column, c.columnAfter);
        for (int j = 0; j < 3; ++j) {
            const int row = c.topRow + j;
            if (row < 0)
                continue;
            EXPECT_EQ(f.board.Cell(row, c.columnAfter), f.board.Trio().balls[j]);
            if (c.columnAfter != c.column) {
                EXPECT_EQ(f.board.Cell(row, c.column), Empty);
            }
        }
        if (c.columnAfter == c.column) {
            EXPECT_TRUE(f.sink.writes.empty());
        }
    }
}

TEST(BoardShiftTrio, WritesEachLeftCellThenItsTarget) {
    BoardFixture f;
    f.PlaceTrio(Red, Green, Blue, 5, -1);
    f.board.ShiftTrio(-1);
    EXPECT_EQ(f.sink.writes,
              (std::vector<CellWrite>{{0, 5, Empty}, {0, 4, Green}, {1, 5, Empty}, {1, 4, Blue}}));
}

TEST(BoardCycleTrio, RotatesWithoutWritingRedrawWrites) {
    BoardFixture f;
    f.PlaceTrio(Red, Green, Blue, 3, -1);
    f.board.CycleTrio(CycleDirection::Up);
    EXPECT_EQ(f.board.Trio().balls, (std::array<std::int32_t, 3>{Green, Blue, Red}));
    EXPECT_TRUE(f.sink.writes.empty());
    f.board.CycleTrio(CycleDirection::Down);
    f.board.CycleTrio(CycleDirection::Down);
    EXPECT_EQ(f.board.Trio().balls, (std::array<std::int32_t, 3>{Blue, Red, Green}));
    f.board.RedrawTrio();
    EXPECT_EQ(f.sink.writes, (std::vector<CellWrite>{{0, 3, Red}, {1, 3, Green}}));
}

// ---------------------------------------------------------------- clearing

struct ClearingFrame {
    Picture board; // lowest rows after the step
    int score;
    bool clearing;
    bool boardPass;
    int scanRow;
};

// Runs one clearing step per expected frame and compares.
void RunSteps(BoardFixture &f, const std::vector<ClearingFrame> &frames) {
    int step = 0;
    for (const ClearingFrame &e : frames) {
        SCOPED_TRACE("clearing step " + std::to_string(++step));
        ASSERT_TRUE(f.board.Clearing());
        f.board.ClearingStep();
        const int rows = static_cast<int>(e.board.size());
        EXPECT_EQ(Draw(f.board, rows), e.board);
        EXPECT_TRUE(EmptyAbove(f.board, rows));
        EXPECT_EQ(f.board.Score(), e.score);
        EXPECT_EQ(f.board.Clearing(), e.clearing);
        EXPECT_EQ(f.board.BoardPass(), e.boardPass);
        EXPECT_EQ(f.board.ScanRowIndex(), e.scanRow);
    }
}

TEST(BoardClearing, RowStepEmptiesThenFillsThenFindsTheNextRun) {
    BoardFixture f;
    LoadPicture(f.board, {"..Y.......", "YY***.....", "RGBRGBRGBR"});
    f.board.LoadTrio(FallingTrio{{0, 0, 0}, 4, 10});
    f.board.LoadClearing(true, false, 12);
    f.board.LoadCounters(3, 5, 1);
    RunSteps(f, {
                    {{"..Y.......", "YY........", "RGBRGBRGBR"}, 3, true, false, 12},
                    // the gap is filled from above; the refilled row holds a new run
                    {{"..........", "***.......", "RGBRGBRGBR"}, 6, true, false, 12},
                    {{"..........", "..........", "RGBRGBRGBR"}, 6, true, false, 12},
                    {{"..........", "..........", "RGBRGBRGBR"}, 6, false, false, -1},
                });
    EXPECT_EQ(f.listener.marked, std::vector<int>{3});
}

TEST(BoardClearing, RowStepFindsVerticalRunsAndHandsOverToBoardSteps) {
    BoardFixture f;
    LoadPicture(f.board, {"G.........", "G.........", "...Y......", "GBRYGBRYGB"});
    f.board.LoadTrio(FallingTrio{{0, 0, 0}, 4, 10});
    f.board.LoadClearing(true, false, 12);
    RunSteps(f, {
                    // column 1 falls by one, three Greens meet; the scan row moves
                    // down to the lowest marked row, so columns 2 and 3 of row 12
                    // are not shifted in this step
                    {{"..........", "*.........", "*..Y......", "*BRYGBRYGB"}, 3, true, true, 13},
                    {{"..........", "..........", "...Y......", ".BRYGBRYGB"}, 3, true, true, 13},
                    {{"..........", "..........", "...Y......", ".BRYGBRYGB"}, 3, false, false, -1},
                });
}

TEST(BoardClearing, BoardStepEmptiesThenLetsEveryBallFall) {
    BoardFixture f;
    LoadPicture(f.board, {"R.........", "*B........", "*.........", "*Y........", "G........."});
    f.board.LoadTrio(FallingTrio{{0, 0, 0}, 1, 10});
    f.board.LoadClearing(true, true, 13);
    RunSteps(f, {
                    // the exploded cells empty; the other column already falls
                    {{"R.........", "..........", "..........", ".B........", "GY........"},
                     0,
                     true,
                     true,
                     13},
                    {{"..........", "..........", "..........", "RB........", "GY........"},
                     0,
                     false,
                     false,
                     -1},
                });
}

TEST(BoardClearing, MarkedBallsAboveAGapFallThenEmpty) {
    // A row step that re-checked the columns emptied the lowest marked ball
    // of a vertical run and left the two above it over a gap.
    BoardFixture f;
    LoadPicture(f.board, {"B.........", "*.........", "*.........", ".........."});
    f.board.LoadTrio(FallingTrio{{0, 0, 0}, 1, 10});
    f.board.LoadClearing(true, true, 13);
    RunSteps(f, {
                    {{"..........", "B.........", "*.........", "*........."}, 0, true, true, 13},
                    {{"..........", "B.........", "..........", ".........."}, 0, true, true, 13},
                    {{"..........", "..........", "..........", "B........."}, 0, false, false, -1},
                });
}

TEST(BoardClearing, ChainOfTwoRowsAfterOneLanding) {
    BoardFixture f;
    LoadPicture(f.board, {"..R.......", "YYY.......", "BBB.......", "RGYRGYRGYR"});
    f.PlaceTrio(Red, Yellow, Blue, 3, 10);
    ASSERT_EQ(f.board.StepDown(), StepResult::Landed);
    EXPECT_EQ(Draw(f.board, 4), (Picture{"..R.......", "YYY.......", "***.......", "RGYRGYRGYR"}));
    RunSteps(f, {
                    {{"..R.......", "YYY.......", "..........", "RGYRGYRGYR"}, 3, true, false, 12},
                    // the upper run falls into the emptied row and is found there
                    {{"..........", "..R.......", "***.......", "RGYRGYRGYR"}, 6, true, false, 12},
                    {{"..........", "..R.......", "..........", "RGYRGYRGYR"}, 6, true, false, 12},
                    {{"..........", "..........", "..R.......", "RGYRGYRGYR"}, 6, false, false, -1},
                });
    EXPECT_EQ(f.listener.marked, (std::vector<int>{3, 3}));
}

TEST(BoardClearing, PendingPhaseEndsOnTheEmptiedBoardOfANewGame) {
    for (bool boardPass : {false, true}) {
        SCOPED_TRACE(boardPass ? "board step pending" : "row step pending");
        BoardFixture f;
        LoadPicture(f.board, {"RRR.......", "GGG*......", "B*B*Y....."});
        f.board.LoadTrio(FallingTrio{{0, 0, 0}, 2, 10});
        f.board.LoadClearing(true, boardPass, 12);
        f.board.Reset();
        f.board.ClearingStep();
        EXPECT_FALSE(f.board.Clearing());
        EXPECT_FALSE(f.board.BoardPass());
        EXPECT_TRUE(EmptyAbove(f.board, 0));
        EXPECT_TRUE(f.listener.marked.empty());
        EXPECT_EQ(f.board.Score(), 0);
    }
}

} // namespace
} // namespace VeRize::test
