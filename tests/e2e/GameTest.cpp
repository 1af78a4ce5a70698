// The real program, started and played from outside: what the window shows
// at start, a game started, steered with the keys, abandoned and started
// again, a training game played to its end, and the exit question.
//
// The games run in the build with a fixed random seed, so the test knows the
// trios to come by drawing them from the same generator here.
#include "game/GameBoard.h"
#include "game/Random.h"
#include "tests/e2e/GameWindow.h"

#include <gtest/gtest.h>

#include <shlobj.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <thread>

using namespace std::chrono_literals;
using E2E::At;
using E2E::Board;
using E2E::GameWindow;

namespace {

const std::wstring Title = L"Corvanta \u00A9 2026 Gli autori di Corvanta";

struct Quiet final : VeRize::CellSink, VeRize::BoardListener {
    void WriteCell(int, int, std::int32_t) override {}
    void BallsMarked(int) override {}
    void CountersChanged() override {}
    bool IsTraining() const override { return false; }
};

// The first trio of a game in the seeded build.
VeRize::FallingTrio FirstTrio() {
    Quiet quiet;
    VeRize::SeedRandom(CORVANTA_FIXED_SEED);
    VeRize::GameBoard board(quiet, quiet);
    board.Reset();
    board.SpawnTrio();
    return board.Trio();
}

// The score and level of a seeded game in which every trio goes to the
// leftmost column as soon as it shows and is dropped there.
struct Result {
    std::int32_t score = 0;
    std::int32_t level = 0;
};
Result PlayLeftColumnGame() {
    Quiet quiet;
    VeRize::SeedRandom(CORVANTA_FIXED_SEED);
    VeRize::GameBoard board(quiet, quiet);
    board.Reset();
    for (int trio = 0; trio < 100; ++trio) {
        board.SpawnTrio();
        if (board.StepDown() == VeRize::StepResult::GameOver)
            break;
        for (int i = 0; i < E2E::Columns; ++i)
            board.ShiftTrio(-1);
        VeRize::StepResult step;
        while ((step = board.StepDown()) == VeRize::StepResult::Moved) {
        }
        if (step == VeRize::StepResult::GameOver)
            break;
        while (board.Clearing())
            board.ClearingStep();
    }
    return {board.Score(), board.Level()};
}

// A trio is falling in the leftmost column and nowhere else: every ball is in
// column 1, with an empty cell below the topmost one.
bool TrioFallingInFirstColumn(const Board &board) {
    int firstBall = -1;
    for (int row = 0; row < E2E::Rows - 1; ++row)
        for (int column = 1; column < E2E::Columns - 1; ++column) {
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
    for (int row = firstBall + 1; row < E2E::Rows - 1; ++row)
        if (At(board, row, 1) == 0)
            return true;
    return false;
}

// The score table of the prefix the tests run in, set aside for one test and
// put back afterwards.
class SetAsideScoreTable {
public:
    SetAsideScoreTable() {
        wchar_t folder[MAX_PATH] = {};
        SHGetFolderPathW(nullptr, CSIDL_LOCAL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, folder);
        path = std::wstring(folder) + L"\\Corvanta\\Score\\Classifica.txt";
        aside = path + L".e2e";
        hadTable = MoveFileExW(path.c_str(), aside.c_str(), MOVEFILE_REPLACE_EXISTING) != FALSE;
    }
    ~SetAsideScoreTable() {
        if (hadTable)
            MoveFileExW(aside.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING);
        else
            DeleteFileW(path.c_str());
    }
    std::string Read() const {
        std::string text;
        HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                  nullptr, OPEN_EXISTING, 0, nullptr);
        if (file == INVALID_HANDLE_VALUE)
            return text;
        char buffer[4096];
        DWORD got = 0;
        while (ReadFile(file, buffer, sizeof buffer, &got, nullptr) && got > 0)
            text.append(buffer, got);
        CloseHandle(file);
        return text;
    }

    std::wstring path;
    std::wstring aside;
    bool hadTable = false;
};

// The balls of a stack, top first.
std::vector<int> Balls(const Board &board, const E2E::Stack &stack) {
    std::vector<int> balls;
    for (int row = stack.top; row <= stack.bottom; ++row)
        balls.push_back(At(board, row, stack.column));
    return balls;
}

bool OnlyTrio(const Board &board, E2E::Stack &stack, int length) {
    return E2E::FindOnlyStack(board, stack) && stack.bottom - stack.top + 1 == length;
}

bool PlayingAreaEmptyBelow(const Board &board, int firstRow) {
    for (int row = firstRow; row < E2E::Rows - 1; ++row)
        for (int column = 1; column < E2E::Columns - 1; ++column)
            if (At(board, row, column) != 0)
                return false;
    return true;
}

// Asks the exit question by the given means and answers it.
void AskToLeave(GameWindow &game, const std::function<void()> &ask, int answer) {
    ask();
    HWND box = game.WaitForExitQuestion();
    ASSERT_NE(box, nullptr) << "no exit question";
    EXPECT_EQ(Probe::MessageBoxText(box), L"Vuoi realmente uscire?");
    Probe::Answer(box, answer);
    ASSERT_TRUE(Probe::WaitFor([&] { return Probe::Gone(box); }));
}

} // namespace

TEST(Game, ShowsItsWindowAndAsksBeforeLeaving) {
    GameWindow game(L"Corvanta");
    ASSERT_TRUE(game.Opened());
    EXPECT_EQ(Probe::WindowText(game.window), Title);

    RECT client{};
    GetClientRect(game.window, &client);
    EXPECT_EQ(client.right, 640);
    EXPECT_EQ(client.bottom, 480);

    // Buttons and displays.
    EXPECT_EQ(Probe::WindowText(game.PlayButton()), L"GIOCA");
    EXPECT_EQ(Probe::WindowText(game.InfoButton()), L"Info");
    EXPECT_EQ(Probe::WindowText(game.CloseButton()), L"Chiudi");
    for (HWND button : {game.PlayButton(), game.InfoButton(), game.CloseButton()}) {
        RECT r{};
        GetWindowRect(button, &r);
        EXPECT_EQ(r.right - r.left, 100);
        EXPECT_EQ(r.bottom - r.top, 40);
    }
    EXPECT_EQ(game.Score(), L"Punteggio: 00000");
    EXPECT_EQ(game.Level(), L"Livello: 00");
    EXPECT_EQ(game.Status(), L"");
    EXPECT_EQ(game.Ticker(), L"");

    // "Info" opens a new About box at every press; the main window waits.
    HWND firstBox = nullptr;
    for (int press = 0; press < 2; ++press) {
        Probe::Click(game.InfoButton());
        HWND about = nullptr;
        ASSERT_TRUE(Probe::WaitFor(
            [&] { return (about = Probe::FindTopWindow(L"Info...", game.process.Id())); }));
        EXPECT_NE(about, firstBox);
        firstBox = about;
        EXPECT_FALSE(IsWindowEnabled(game.window));
        for (const wchar_t *text : {L"Corvanta 1.1.0.0", L"\u00A9 2026 Gli autori di Corvanta",
                                    L"http://www.example.com", L"info@example.com"})
            EXPECT_NE(Probe::ChildWithText(about, text), nullptr) << text;
        HWND ok = Probe::ChildWithText(about, L"OK");
        ASSERT_NE(ok, nullptr);
        Probe::Click(ok);
        EXPECT_TRUE(Probe::WaitFor([&] { return Probe::Gone(about); }));
        EXPECT_TRUE(Probe::WaitFor([&] { return IsWindowEnabled(game.window) != FALSE; }));
    }

    // "Chiudi" asks; No keeps the program running.
    AskToLeave(
        game, [&] { Probe::Click(game.CloseButton()); }, IDNO);
    ASSERT_TRUE(game.process.Running());

    // A game under way keeps going while the question is open and after No.
    Probe::Click(game.PlayButton());
    Board board{};
    E2E::Stack trio;
    ASSERT_TRUE(
        game.WaitForBoard([&](const Board &b) { return E2E::FindOnlyStack(b, trio); }, board));
    Probe::RequestClose(game.window);
    HWND box = game.WaitForExitQuestion();
    ASSERT_NE(box, nullptr);
    // The box opens in the middle of the screen, over the board: move it to
    // the corner to see the board.
    RECT boxRect{};
    GetWindowRect(box, &boxRect);
    SetWindowPos(box, nullptr, GetSystemMetrics(SM_CXSCREEN) - (boxRect.right - boxRect.left),
                 GetSystemMetrics(SM_CYSCREEN) - (boxRect.bottom - boxRect.top), 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    const int bottomBefore = trio.bottom;
    EXPECT_TRUE(game.WaitForBoard(
        [&](const Board &b) { return E2E::FindOnlyStack(b, trio) && trio.bottom > bottomBefore; },
        board))
        << "the trio stood still while the question was open";
    Probe::Answer(box, IDNO);
    ASSERT_TRUE(Probe::WaitFor([&] { return Probe::Gone(box); }));
    const int bottomAfterNo = trio.bottom;
    EXPECT_TRUE(game.WaitForBoard(
        [&](const Board &b) { return E2E::FindOnlyStack(b, trio) && trio.bottom > bottomAfterNo; },
        board))
        << "the trio stood still after No";

    // The close box and Yes end the program.
    AskToLeave(
        game, [&] { Probe::RequestClose(game.window); }, IDYES);
    EXPECT_EQ(game.process.WaitExit(10s), 0u);
}

TEST(Game, PlaysStepsAbandonsAndStartsAgain) {
    GameWindow game(L"CorvantaSeeded");
    ASSERT_TRUE(game.Opened());
    ASSERT_TRUE(game.tiles.Loaded());
    const VeRize::FallingTrio first = FirstTrio();

    // The menu, with both options off.
    const std::vector<Probe::MenuEntry> menu = Probe::MenuEntries(game.window);
    const std::vector<std::wstring> paths = {L"&File/&Esci", L"&Opzioni/&Abilita Joystick",
                                             L"&Opzioni/A&llenamento", L"&?/&Guida", L"&?/&Home"};
    ASSERT_EQ(menu.size(), paths.size());
    for (std::size_t i = 0; i < paths.size(); ++i) {
        EXPECT_EQ(menu[i].path, paths[i]);
        EXPECT_FALSE(menu[i].checked) << menu[i].path;
    }

    Probe::Click(game.PlayButton());
    EXPECT_TRUE(
        Probe::WaitFor([&] { return Probe::WindowText(game.PlayButton()) == L"ABBANDONA"; }));
    EXPECT_EQ(game.Status(), L"");

    // About a second later the first trio's bottom ball shows in row 0 (its
    // column alone is read, to catch the first step).
    Board board{};
    E2E::Stack trio;
    ASSERT_TRUE(game.WaitForBoard([&](const Board &b) { return E2E::FindOnlyStack(b, trio); },
                                  board, 5s, first.column));
    EXPECT_EQ(trio.top, 0);
    EXPECT_EQ(trio.bottom, 0);
    EXPECT_EQ(At(board, 0, first.column), first.balls[2]);
    ASSERT_TRUE(
        game.WaitForBoard([&](const Board &b) { return E2E::FindOnlyStack(b, trio); }, board));
    EXPECT_EQ(trio.column, first.column) << "balls outside the first trio's column";
    EXPECT_TRUE(Probe::WaitFor([&] { return game.Level() == L"Livello: 01"; }));
    EXPECT_EQ(game.Score(), L"Punteggio: 00000");

    // An arrow key moves the trio one column at a time while it is held.
    game.BringToFront();
    const WORD sideways = first.column > 1 ? VK_LEFT : VK_RIGHT;
    const int step = first.column > 1 ? -1 : 1;
    Probe::KeyDown(sideways);
    const bool moved = game.WaitForBoard(
        [&](const Board &b) { return E2E::FindOnlyStack(b, trio) && trio.column != first.column; },
        board, 3s);
    Probe::KeyUp(sideways);
    ASSERT_TRUE(moved) << "the trio did not move sideways";
    EXPECT_EQ(trio.column, first.column + step);

    // Up and down cycle the balls, one place per read of the keys.
    ASSERT_TRUE(game.WaitForBoard([&](const Board &b) { return OnlyTrio(b, trio, 3); }, board, 5s));
    std::vector<int> balls = Balls(board, trio);
    EXPECT_EQ(balls, std::vector<int>(first.balls.begin(), first.balls.end()));
    for (const WORD key : {VK_UP, VK_DOWN}) {
        const std::vector<int> before = balls;
        const std::vector<int> expected = key == VK_UP
                                              ? std::vector<int>{before[1], before[2], before[0]}
                                              : std::vector<int>{before[2], before[0], before[1]};
        // Only the trio's column is read here, quickly enough to see the
        // first cycle before the key is read again.
        Probe::KeyDown(key);
        const bool changed = game.WaitForBoard(
            [&](const Board &b) { return OnlyTrio(b, trio, 3) && Balls(b, trio) != before; }, board,
            3s, trio.column);
        Probe::KeyUp(key);
        ASSERT_TRUE(changed) << "no cycle for key " << key;
        EXPECT_EQ(Balls(board, trio), expected) << "key " << key;
        // The key may have been read once more before it was let go.
        std::this_thread::sleep_for(300ms);
        ASSERT_TRUE(game.WaitForBoard([&](const Board &b) { return OnlyTrio(b, trio, 3); }, board));
        balls = Balls(board, trio);
    }

    // Left CTRL drops the trio to the floor.
    const int column = trio.column;
    Probe::KeyDown(VK_LCONTROL);
    const bool dropped = game.WaitForBoard(
        [&](const Board &b) { return OnlyTrio(b, trio, 3) && trio.bottom == 13; }, board, 5s);
    Probe::KeyUp(VK_LCONTROL);
    ASSERT_TRUE(dropped) << "the trio did not drop";
    EXPECT_EQ(trio.column, column);
    EXPECT_EQ(Balls(board, trio), balls);

    // Abandoning keeps the board and the counters.
    ASSERT_TRUE(game.WaitForBoard([&](const Board &b) { return E2E::BallsInPlayingArea(b) > 3; },
                                  board, 5s));
    Probe::Click(game.PlayButton());
    ASSERT_TRUE(Probe::WaitFor([&] { return Probe::WindowText(game.PlayButton()) == L"GIOCA"; }));
    const Board abandoned = game.ReadBoard();
    const std::wstring level = game.Level();
    std::this_thread::sleep_for(1500ms);
    EXPECT_EQ(game.ReadBoard(), abandoned);
    EXPECT_EQ(game.Level(), level);
    EXPECT_EQ(game.Score(), L"Punteggio: 00000");

    // The next game starts on an empty playing area.
    Probe::Click(game.PlayButton());
    EXPECT_TRUE(
        game.WaitForBoard([](const Board &b) { return PlayingAreaEmptyBelow(b, 3); }, board, 3s));
    EXPECT_TRUE(Probe::WaitFor([&] { return game.Level() == L"Livello: 01"; }));
    EXPECT_EQ(game.Score(), L"Punteggio: 00000");

    AskToLeave(
        game, [&] { Probe::Click(game.CloseButton()); }, IDYES);
    EXPECT_EQ(game.process.WaitExit(10s), 0u);
}

TEST(Game, TrainingGameEndsWithoutScoreOrNameEntry) {
    GameWindow game(L"CorvantaSeeded");
    ASSERT_TRUE(game.Opened());

    // The check marks follow the choices.
    ASSERT_TRUE(Probe::ChooseMenu(game.window, L"&Opzioni/A&llenamento"));
    EXPECT_TRUE(Probe::WaitFor([&] {
        return Probe::FindMenuEntry(Probe::MenuEntries(game.window), L"&Opzioni/A&llenamento")
            ->checked;
    }));
    ASSERT_TRUE(Probe::ChooseMenu(game.window, L"&Opzioni/&Abilita Joystick"));
    ASSERT_TRUE(Probe::ChooseMenu(game.window, L"&Opzioni/A&llenamento"));
    EXPECT_TRUE(Probe::WaitFor([&] {
        const auto entries = Probe::MenuEntries(game.window);
        return !Probe::FindMenuEntry(entries, L"&Opzioni/A&llenamento")->checked &&
               Probe::FindMenuEntry(entries, L"&Opzioni/&Abilita Joystick")->checked;
    }));
    // Back to the start, then training on.
    ASSERT_TRUE(Probe::ChooseMenu(game.window, L"&Opzioni/&Abilita Joystick"));
    ASSERT_TRUE(Probe::ChooseMenu(game.window, L"&Opzioni/A&llenamento"));
    ASSERT_TRUE(Probe::WaitFor([&] {
        const auto entries = Probe::MenuEntries(game.window);
        return Probe::FindMenuEntry(entries, L"&Opzioni/A&llenamento")->checked &&
               !Probe::FindMenuEntry(entries, L"&Opzioni/&Abilita Joystick")->checked;
    }));

    // Every trio goes left and drops fast, so the left columns fill up.
    Probe::Click(game.PlayButton());
    ASSERT_TRUE(
        Probe::WaitFor([&] { return Probe::WindowText(game.PlayButton()) == L"ABBANDONA"; }));
    game.BringToFront();
    Probe::KeyDown(VK_LEFT);
    const bool over = Probe::WaitFor(
        [&] {
            if (game.Status() == L"Fine gioco!")
                return true;
            Probe::HoldKey(VK_LCONTROL, 150ms);
            std::this_thread::sleep_for(600ms);
            return false;
        },
        120s);
    Probe::KeyUp(VK_LEFT);
    ASSERT_TRUE(over) << "the training game did not end";
    EXPECT_EQ(game.Score(), L"Punteggio: 00000");
    EXPECT_EQ(Probe::WindowText(game.PlayButton()), L"GIOCA");
    std::this_thread::sleep_for(1s);
    EXPECT_EQ(Probe::FindTopWindow(L"Classifica", game.process.Id()), nullptr);
    EXPECT_TRUE(IsWindowEnabled(game.window));

    // A new game clears the status line.
    Probe::Click(game.PlayButton());
    EXPECT_TRUE(Probe::WaitFor([&] { return game.Status().empty(); }));

    AskToLeave(
        game, [&] { Probe::ChooseMenu(game.window, L"&File/&Esci"); }, IDYES);
    EXPECT_EQ(game.process.WaitExit(10s), 0u);
}

TEST(Game, GameWithPointsAsksForTheNameAndRecordsIt) {
    SetAsideScoreTable table;
    const Result expected = PlayLeftColumnGame();
    ASSERT_GE(expected.score, 1) << "the seed gives no points to this way of playing";

    GameWindow game(L"CorvantaSeeded");
    ASSERT_TRUE(game.Opened());
    Probe::Click(game.PlayButton());
    ASSERT_TRUE(
        Probe::WaitFor([&] { return Probe::WindowText(game.PlayButton()) == L"ABBANDONA"; }));

    // Left is held all game long; CTRL drops each trio once it is in the
    // leftmost column.
    game.BringToFront();
    Probe::KeyDown(VK_LEFT);
    Board board{};
    const bool over = Probe::WaitFor(
        [&] {
            if (game.Status() == L"Fine gioco!")
                return true;
            board = game.ReadBoard();
            if (TrioFallingInFirstColumn(board))
                Probe::HoldKey(VK_LCONTROL, 120ms);
            return false;
        },
        90s);
    Probe::KeyUp(VK_LEFT);
    ASSERT_TRUE(over) << "the game did not end";
    wchar_t score[32];
    std::swprintf(score, 32, L"Punteggio: %05d", expected.score);
    EXPECT_EQ(game.Score(), score);

    // The name entry opens over the main window, which waits for it.
    HWND entry = nullptr;
    ASSERT_TRUE(Probe::WaitFor(
        [&] { return (entry = Probe::FindTopWindow(L"Classifica", game.process.Id())); }));
    EXPECT_FALSE(IsWindowEnabled(game.window));
    EXPECT_NE(Probe::ChildWithText(entry, L"Inserisci il tuo nome:"), nullptr);
    RECT mainRect{};
    RECT entryRect{};
    GetWindowRect(game.window, &mainRect);
    GetWindowRect(entry, &entryRect);
    EXPECT_LE(std::abs((mainRect.left + mainRect.right) - (entryRect.left + entryRect.right)), 1);
    EXPECT_LE(std::abs((mainRect.top + mainRect.bottom) - (entryRect.top + entryRect.bottom)), 1);

    // The name is typed and confirmed with Enter.
    ASSERT_TRUE(Probe::WaitFor([&] { return GetForegroundWindow() == entry; }, 3s));
    Probe::Type(L"anna");
    Probe::HoldKey(VK_RETURN, 50ms);
    ASSERT_TRUE(Probe::WaitFor([&] { return Probe::Gone(entry); }));
    EXPECT_TRUE(Probe::WaitFor([&] { return IsWindowEnabled(game.window) != FALSE; }));

    // The table holds the game, and the ticker shows it within its turn.
    char line[64];
    std::snprintf(line, sizeof line, "%08d ANNA         Livello %d", expected.score,
                  expected.level);
    EXPECT_TRUE(Probe::WaitFor([&] { return table.Read() == std::string(line) + "\r\n"; }, 3s))
        << table.Read();
    const std::wstring ticker =
        L"Classifica: 1\u00B0 Punteggio " + std::wstring(line, line + std::strlen(line));
    EXPECT_TRUE(Probe::WaitFor([&] { return game.Ticker() == ticker; }, 15s)) << game.Ticker();

    AskToLeave(
        game, [&] { Probe::Click(game.CloseButton()); }, IDYES);
    EXPECT_EQ(game.process.WaitExit(10s), 0u);
}
