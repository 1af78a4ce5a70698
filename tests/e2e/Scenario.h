// What the end-to-end tests share: the seeded build's games played again
// here on the same generator, and the exit question asked and answered.
#pragma once

#include "game/GameBoard.h"
#include "game/Random.h"
#include "tests/e2e/GameWindow.h"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

namespace E2E {

// A board that tells nobody.
struct Quiet final : VeRize::CellSink, VeRize::BoardListener {
    void WriteCell(int, int, std::int32_t) override {}
    void BallsMarked(int) override {}
    void CountersChanged() override {}
    bool IsTraining() const override { return false; }
};

// The first trio of a game in the seeded build.
inline VeRize::FallingTrio FirstTrio() {
    Quiet quiet;
    VeRize::SeedRandom(CORVANTA_FIXED_SEED);
    VeRize::GameBoard board(quiet, quiet);
    board.Reset();
    board.SpawnTrio();
    return board.Trio();
}

// Score and level of the seeded build's first games, one after the other in
// one run of the program, when every trio goes to the leftmost column it can
// reach as soon as it shows and is dropped there.
struct Result {
    std::int32_t score = 0;
    std::int32_t level = 0;
};
inline std::vector<Result> PlayLeftColumnGames(int games) {
    Quiet quiet;
    VeRize::SeedRandom(CORVANTA_FIXED_SEED);
    VeRize::GameBoard board(quiet, quiet);
    std::vector<Result> results;
    for (int game = 0; game < games; ++game) {
        board.Reset();
        for (int trio = 0; trio < 200; ++trio) {
            board.SpawnTrio();
            if (board.StepDown() == VeRize::StepResult::GameOver)
                break;
            for (int i = 0; i < Columns; ++i)
                board.ShiftTrio(-1);
            VeRize::StepResult step;
            while ((step = board.StepDown()) == VeRize::StepResult::Moved) {
            }
            if (step == VeRize::StepResult::GameOver)
                break;
            while (board.Clearing())
                board.ClearingStep();
        }
        results.push_back({board.Score(), board.Level()});
    }
    return results;
}

// A trio is falling in the leftmost column and nowhere else: every ball is in
// column 1, with an empty cell below the topmost one.
inline bool TrioFallingInFirstColumn(const Board &board) {
    int firstBall = -1;
    for (int row = 0; row < Rows - 1; ++row)
        for (int column = 1; column < Columns - 1; ++column) {
            const int cell = At(board, row, column);
            if (cell == 0)
                continue;
            if (column != 1 || cell < 0)
                return false;
            if (firstBall < 0)
                firstBall = row;
        }
    if (firstBall < 0)
        return false;
    for (int row = firstBall + 1; row < Rows - 1; ++row)
        if (At(board, row, 1) == 0)
            return true;
    return false;
}

// Asks the exit question by the given means and answers it.
inline void AskToLeave(GameWindow &game, const std::function<void()> &ask, int answer) {
    ask();
    HWND box = game.WaitForExitQuestion();
    ASSERT_NE(box, nullptr) << "no exit question";
    EXPECT_EQ(Probe::MessageBoxText(box), L"Vuoi realmente uscire?");
    Probe::Answer(box, answer);
    ASSERT_TRUE(Probe::WaitFor([&] { return Probe::Gone(box); }));
}

} // namespace E2E
