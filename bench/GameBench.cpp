// Time taken by one tick in each state of the game, by the heaviest clearing
// steps, and by whole random games. Build without sanitizers for figures:
//   cmake -S . -B build/bench -DCORVANTA_SANITIZE=OFF -DCMAKE_BUILD_TYPE=Release
//   cmake --build build/bench --target corvanta_bench && build/bench/bench/corvanta_bench
#include "game/GameLoop.h"
#include "game/Random.h"
#include "tests/game/BoardText.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <memory>
#include <random>
#include <vector>

namespace VeRize::bench {
namespace {

using namespace VeRize::test;
using Clock = std::chrono::steady_clock;

struct NullSink final : CellSink {
    void WriteCell(int, int, std::int32_t value) override { benchmark::DoNotOptimize(value); }
};

struct NullView final : GameView {
    void SetScoreText(const std::string &text) override { benchmark::DoNotOptimize(text.data()); }
    void SetLevelText(const std::string &text) override { benchmark::DoNotOptimize(text.data()); }
    void SetStatusText(const std::string &text) override { benchmark::DoNotOptimize(text.data()); }
    std::string PlayButtonText() override { return button; }
    void SetPlayButtonText(const std::string &text) override { button = text; }
    void AdvanceScoreTicker() override {}
    void BeginNameEntry(std::int32_t, std::int32_t) override {}
    bool IsTraining() override { return false; }
    bool IsJoystickOn() override { return false; }
    void PlayWave(int resource) override { benchmark::DoNotOptimize(resource); }
    std::string button = "GIOCA";
};

struct Game {
    FakeClock clock;
    NullView view;
    NullSink sink;
    FakeKeyboard keys;
    FakeJoystick joystick;
    GameLoop loop{view, sink, keys, joystick};

    GameBoard &board() { return loop.Board(); }
    void Tick() {
        loop.Tick();
        clock.now += 30;
    }
    void Ticks(int n) {
        for (int i = 0; i < n; ++i)
            Tick();
    }
};

// A full playing area without any run: every neighbour differs.
void FillWithoutRuns(GameBoard &board, int fromRow, int toRow) {
    for (int r = fromRow; r <= toRow; ++r)
        for (int c = FirstPlayColumn; c <= LastPlayColumn; ++c)
            board.LoadCell(r, c, (r + c) % 4 + 1);
}

enum class ClearingBoard { RowShiftEverywhere, BoardStepGaps, BoardStepExplodeAll };

void PrepareClearing(GameBoard &board, ClearingBoard kind) {
    switch (kind) {
    case ClearingBoard::RowShiftEverywhere:
        // The scan row is empty under a full board: every column shifts,
        // every shift re-checks all columns, then every row is scanned.
        FillWithoutRuns(board, 0, 12);
        board.LoadClearing(true, false, 13);
        break;
    case ClearingBoard::BoardStepGaps:
        FillWithoutRuns(board, 0, LastPlayRow);
        for (int r = 1; r <= LastPlayRow; r += 2)
            for (int c = FirstPlayColumn; c <= LastPlayColumn; ++c)
                board.LoadCell(r, c, Empty);
        board.LoadClearing(true, true, 13);
        break;
    case ClearingBoard::BoardStepExplodeAll:
        for (int r = 0; r <= LastPlayRow; ++r)
            for (int c = FirstPlayColumn; c <= LastPlayColumn; ++c)
                board.LoadCell(r, c, Exploding);
        board.LoadClearing(true, true, 13);
        break;
    }
    board.LoadTrio(FallingTrio{{0, 0, 0}, 5, 10});
}

enum class TickState {
    Idle,
    Waiting,      // playing, counting towards the next step
    ControlRead,  // a trio in play, the right arrow held, the read is due
    Step,         // a due step moves the trio one row
    SpawnAndStep, // no trio: spawn and first step
    FastDrop,     // the whole fall in one tick, then a landing that scans every row
    ClearingWait, // a clearing phase counting ticks
    ClearingStep, // the 21st tick of a phase, on the heaviest row-step board
};

// Brings a fresh game into the state; the next Tick is the one measured.
void Prepare(Game &g, TickState state) {
    SeedRandom(4);
    g.Tick(); // the first tick of the run sets the control stamp
    if (state == TickState::Idle)
        return;
    g.loop.StartOrAbandon();
    switch (state) {
    case TickState::Idle:
    case TickState::Waiting:
        g.Ticks(10);
        break;
    case TickState::ControlRead:
        g.Ticks(31); // the trio is in; the last read was 3 ticks before
        g.keys.held = {VkRight};
        while (g.board().Trio().column >= 9) // keep room to move right
            g.board().ShiftTrio(-1);
        g.clock.now += 200;
        break;
    case TickState::Step:
        g.Ticks(31);
        g.Ticks(29);
        break;
    case TickState::SpawnAndStep:
        g.Ticks(30);
        break;
    case TickState::FastDrop: {
        g.Ticks(31);
        const int column = g.board().Trio().column;
        // Every other column full to row 3, so the landing scans all rows.
        FillWithoutRuns(g.board(), 3, LastPlayRow);
        for (int r = 0; r <= LastPlayRow; ++r)
            g.board().LoadCell(r, column, r == 0 ? g.board().Trio().balls[2] : Empty);
        g.board().SetFastDrop(true);
        g.Ticks(29);
        break;
    }
    case TickState::ClearingWait:
        g.board().LoadClearing(true, false, 12);
        g.Ticks(5);
        break;
    case TickState::ClearingStep:
        PrepareClearing(g.board(), ClearingBoard::RowShiftEverywhere);
        g.Ticks(20);
        break;
    }
}

void BM_Tick(benchmark::State &state) {
    const auto kind = static_cast<TickState>(state.range(0));
    for (auto _ : state) {
        auto game = std::make_unique<Game>();
        Prepare(*game, kind);
        const auto start = Clock::now();
        game->loop.Tick();
        const auto stop = Clock::now();
        state.SetIterationTime(std::chrono::duration<double>(stop - start).count());
    }
}
BENCHMARK(BM_Tick)->ArgName("state")->DenseRange(0, 7)->UseManualTime()->Iterations(20000);

void BM_ClearingStep(benchmark::State &state) {
    const auto kind = static_cast<ClearingBoard>(state.range(0));
    for (auto _ : state) {
        auto game = std::make_unique<Game>();
        PrepareClearing(game->board(), kind);
        const auto start = Clock::now();
        game->board().ClearingStep();
        const auto stop = Clock::now();
        state.SetIterationTime(std::chrono::duration<double>(stop - start).count());
    }
}
BENCHMARK(BM_ClearingStep)->ArgName("board")->DenseRange(0, 2)->UseManualTime()->Iterations(20000);

// A whole phase on a board of single-colour rows: each fall brings the next
// full row down onto the scan row, so the phase clears the board row by row.
void BM_ClearingChain(benchmark::State &state) {
    int steps = 0;
    for (auto _ : state) {
        auto game = std::make_unique<Game>();
        GameBoard &board = game->board();
        for (int r = 0; r <= LastPlayRow; ++r)
            for (int c = FirstPlayColumn; c <= LastPlayColumn; ++c)
                board.LoadCell(r, c, r % 4 + 1);
        board.LoadTrio(FallingTrio{{0, 0, 0}, 5, 10});
        board.LoadClearing(false, false, 13);
        board.LoadClearing(board.ScanRowsUpward(), false, board.ScanRowIndex());
        steps = 0;
        double total = 0;
        while (board.Clearing()) {
            const auto start = Clock::now();
            board.ClearingStep();
            const auto stop = Clock::now();
            total += std::chrono::duration<double>(stop - start).count();
            ++steps;
        }
        state.SetIterationTime(total);
    }
    state.counters["steps"] = steps;
}
BENCHMARK(BM_ClearingChain)->UseManualTime()->Iterations(2000);

// Whole random games, ticked until game over.
void BM_RandomGame(benchmark::State &state) {
    std::mt19937 random(1);
    long long ticks = 0;
    std::vector<double> durations;
    for (auto _ : state) {
        state.PauseTiming();
        auto game = std::make_unique<Game>();
        SeedRandom(static_cast<unsigned>(random()));
        game->loop.StartOrAbandon();
        state.ResumeTiming();
        while (game->loop.Playing()) {
            if (ticks % 4 == 0) {
                game->keys.held.clear();
                for (int key : {VkLeft, VkUp, VkRight, VkDown, VkLeftControl})
                    if (random() % 100 < 20)
                        game->keys.held.insert(key);
            }
            const auto start = Clock::now();
            game->Tick();
            durations.push_back(std::chrono::duration<double>(Clock::now() - start).count());
            ++ticks;
        }
    }
    state.counters["ticks_per_game"] =
        benchmark::Counter(static_cast<double>(ticks) / static_cast<double>(state.iterations()));
    // A high percentile rather than the maximum: single ticks on a busy
    // machine are stretched by the scheduler, not by the game.
    std::sort(durations.begin(), durations.end());
    state.counters["p999_tick_ns"] = durations[durations.size() * 999 / 1000] * 1e9;
    state.counters["p99_tick_ns"] = durations[durations.size() * 99 / 100] * 1e9;
}
BENCHMARK(BM_RandomGame)->Unit(benchmark::kMicrosecond)->Iterations(300);

} // namespace
} // namespace VeRize::bench

BENCHMARK_MAIN();
