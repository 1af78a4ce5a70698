// Thousands of complete games with random controls, checking the board's
// invariants after every tick.
#include "BoardText.h"

#include "game/GameLoop.h"
#include "game/Random.h"
#include "toolkit/core/Text.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <random>

namespace VeRize::test {
namespace {

// Mirrors every write and checks it as it comes.
class CheckingSink final : public CellSink {
public:
    CheckingSink() {
        for (int r = 0; r < BoardRows; ++r)
            for (int c = 0; c < BoardColumns; ++c)
                cells[r * BoardColumns + c] = GameBoard::FrameValue(r, c);
    }
    void WriteCell(int row, int column, std::int32_t value) override {
        if (!GameBoard::IsInterior(row, column) || value < Empty || value > Exploding) {
            ADD_FAILURE() << "write of " << value << " at " << row << "," << column;
            return;
        }
        std::int32_t &cell = cells[row * BoardColumns + column];
        if (value == Exploding && cell == Exploding)
            ADD_FAILURE() << "marked twice at " << row << "," << column;
        if (value == Exploding && cell != Empty)
            ++marked; // a ball marked (an exploding cell written into a gap is a fall)
        cell = value;
    }
    std::array<std::int32_t, BoardCells> cells{};
    long long marked = 0; // balls marked for explosion since the game began
};

struct Soak {
    FakeClock clock;
    FakeView view;
    CheckingSink sink;
    FakeKeyboard keys;
    FakeJoystick joystick;
    GameLoop loop{view, sink, keys, joystick};
    std::mt19937 random;

    explicit Soak(unsigned seed) : random(seed) {
        joystick.devices = 2;
        joystick.present[0] = true;
        joystick.ranges[0] = {0, 65535, 0, 65535};
    }

    bool Chance(int percent) { return std::uniform_int_distribution<int>(0, 99)(random) < percent; }

    void RandomControls() {
        keys.held.clear();
        for (int key : {VkLeft, VkUp, VkRight, VkDown})
            if (Chance(15))
                keys.held.insert(key);
        if (Chance(35))
            keys.held.insert(VkLeftControl);
        std::uniform_int_distribution<std::uint32_t> axis(0, 65535);
        joystick.positions[0] = {axis(random), axis(random), Chance(5) ? 1u : 0u};
        joystick.present[0] = !Chance(2);
    }

    // The invariants after a tick; plain tests first, messages only on failure.
    void Check() {
        const GameBoard &board = loop.Board();
        // The sink takes only values 0 to 5 in the playing area and its mirror
        // starts from the frame, so one comparison covers every cell.
        if (board.Cells() != sink.cells) {
            for (int i = 0; i < BoardCells; ++i)
                if (board.Cells()[i] != sink.cells[i])
                    ADD_FAILURE() << "cell " << i / BoardColumns << "," << i % BoardColumns
                                  << " holds " << board.Cells()[i] << ", last written "
                                  << sink.cells[i];
            return;
        }
        const FallingTrio &t = board.Trio();
        if (t.InPlay() && loop.Playing()) {
            bool fine = !(t.balls[0] == t.balls[1] && t.balls[1] == t.balls[2]) &&
                        t.column >= FirstPlayColumn && t.column <= LastPlayColumn;
            for (std::int32_t b : t.balls)
                fine = fine && b >= Yellow && b <= Blue;
            if (!fine) {
                ADD_FAILURE() << "trio " << t.balls[0] << t.balls[1] << t.balls[2] << " in column "
                              << t.column;
                return;
            }
        }
        if (board.Score() != (view.training ? 0 : sink.marked)) {
            ADD_FAILURE() << "score " << board.Score() << " for " << sink.marked << " balls marked";
            return;
        }
        if (board.Level() != (board.TrioCount() == 0 ? 0 : board.TrioCount() / 10 + 1)) {
            ADD_FAILURE() << "level " << board.Level() << " at trio " << board.TrioCount();
            return;
        }
        if (board.Score() != shownScore || board.Level() != shownLevel) {
            shownScore = board.Score();
            shownLevel = board.Level();
            EXPECT_EQ(view.scoreText, "Punteggio: " + OrvoUtility::ZeroPadded(shownScore, 5));
            EXPECT_EQ(view.levelText, "Livello: " + OrvoUtility::ZeroPadded(shownLevel, 2));
        }
    }
    std::int32_t shownScore = -1;
    std::int32_t shownLevel = -1;

    // Plays one game from "GIOCA" to its end (game over, or abandoned now
    // and then); returns the ticks it took.
    int PlayGame() {
        view.training = Chance(10);
        view.joystick = Chance(20);
        loop.StartOrAbandon();
        sink.marked = 0;
        int ticks = 0;
        bool wasClearing = loop.Board().Clearing();
        while (loop.Playing()) {
            if (++ticks > 200000) {
                ADD_FAILURE() << "the game never ends";
                break;
            }
            if (ticks % 4 == 0)
                RandomControls();
            if (Chance(1))
                clock.now -= std::uniform_int_distribution<int>(0, 5000)(random); // set back
            clock.now += std::uniform_int_distribution<int>(25, 60)(random);
            loop.Tick();
            Check();
            if (testing::Test::HasFailure())
                return ticks;
            const bool clearing = loop.Board().Clearing();
            if (wasClearing && !clearing) {
                // A finished clearing phase leaves no exploding ball behind.
                for (int r = 0; r <= LastPlayRow; ++r)
                    for (int c = FirstPlayColumn; c <= LastPlayColumn; ++c)
                        if (loop.Board().Cell(r, c) == Exploding) {
                            ADD_FAILURE() << "exploding ball left at " << r << "," << c;
                            return ticks;
                        }
            }
            wasClearing = clearing;
            if (loop.Playing() && std::uniform_int_distribution<int>(0, 20000)(random) == 0)
                loop.StartOrAbandon(); // abandon now and then
        }
        return ticks;
    }
};

TEST(GameSoak, RandomGamesKeepTheBoardSound) {
    constexpr int games = 2100;
    long long totalTicks = 0;
    int gameOvers = 0;
    for (unsigned seed = 0; seed < 30; ++seed) {
        Soak soak(seed);
        SeedRandom(seed * 7919u + 1u);
        for (int game = 0; game < games / 30; ++game) {
            totalTicks += soak.PlayGame();
            ASSERT_FALSE(HasFailure()) << "seed " << seed << " game " << game;
            gameOvers += soak.view.statusText == "Fine gioco!";
        }
    }
    EXPECT_GT(gameOvers, games / 2);
    std::printf("%lld ticks in %d games\n", totalTicks, games);
}

} // namespace
} // namespace VeRize::test
