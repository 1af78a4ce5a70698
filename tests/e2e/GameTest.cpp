// The real program, started and played from outside: what the window shows
// at start, a game started, steered with the keys, abandoned and started
// again, a training game played to its end, and the exit question.
//
// The games run in the build with a fixed random seed, so the test knows the
// trios to come by drawing them from the same generator here.
#include "tests/e2e/GameWindow.h"
#include "tests/e2e/Scenario.h"

#include <gtest/gtest.h>

#include <thread>

using namespace std::chrono_literals;
using E2E::At;
using E2E::Board;
using E2E::GameWindow;

namespace {

const std::wstring Title = L"Corvanta \u00A9 2026 Gli autori di Corvanta";

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
    // The play button is red with a white caption, the others light grey
    // with a black one; the form is blue.
    {
        const Probe::Snapshot screen(game.window);
        ASSERT_TRUE(screen.Taken());
        struct Look {
            int top;
            COLORREF face;
            COLORREF caption;
        };
        for (const Look &look : {Look{40, RGB(255, 0, 0), RGB(255, 255, 255)},
                                 Look{90, RGB(220, 220, 220), RGB(0, 0, 0)},
                                 Look{140, RGB(220, 220, 220), RGB(0, 0, 0)}}) {
            EXPECT_EQ(screen.Pixel(512 + 5, look.top + 5), look.face) << "button at " << look.top;
            int captionPixels = 0;
            for (int y = look.top + 5; y < look.top + 35; ++y)
                for (int x = 512 + 5; x < 512 + 95; ++x)
                    captionPixels += screen.Pixel(x, y) == look.caption ? 1 : 0;
            EXPECT_GT(captionPixels, 10) << "button at " << look.top;
        }
        EXPECT_EQ(screen.Pixel(50, 300), RGB(0, 0, 255));
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
    E2E::AskToLeave(
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
    E2E::AskToLeave(
        game, [&] { Probe::RequestClose(game.window); }, IDYES);
    EXPECT_EQ(game.process.WaitExit(10s), 0u);
}

TEST(Game, PlaysStepsAbandonsAndStartsAgain) {
    GameWindow game(L"CorvantaSeeded");
    ASSERT_TRUE(game.Opened());
    ASSERT_TRUE(game.tiles.Loaded());
    const VeRize::FallingTrio first = E2E::FirstTrio();

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

    E2E::AskToLeave(
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

    E2E::AskToLeave(
        game, [&] { Probe::ChooseMenu(game.window, L"&File/&Esci"); }, IDYES);
    EXPECT_EQ(game.process.WaitExit(10s), 0u);
}
