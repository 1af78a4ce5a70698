// The running game as the end-to-end tests see it from outside: its main
// window, buttons, text displays, menu, the exit question, and the board read
// back from the screen cell by cell.
#pragma once

#include "tests/e2e/Probe.h"

#include <array>
#include <chrono>
#include <memory>
#include <string>

namespace E2E {

constexpr int Rows = 15;
constexpr int Columns = 12;

// The path of one of the game's executables ("Corvanta", "CorvantaSeeded").
std::wstring GameExe(const std::wstring &name);

// What a board cell shows, as the cell values of the game: 0 empty, 1 to 4
// the yellow, red, green and blue balls, 5 an exploding ball; 7 and up the
// frame; -1 when the screen shows none of the tiles.
using Board = std::array<int, Rows * Columns>;

// The centre pixels of the tiles, read from the game's own tile strip.
class TileColours {
public:
    explicit TileColours(const std::wstring &exePath);
    bool Loaded() const { return loaded_; }
    // The tile whose centre colour is nearest, or -1 when none is near.
    int Classify(COLORREF colour) const;

private:
    std::array<COLORREF, 12> centre_{};
    bool loaded_ = false;
};

class GameWindow {
public:
    // Starts the program and waits for its main window.
    explicit GameWindow(const std::wstring &exeName);

    Probe::Process process;
    HWND window = nullptr;
    TileColours tiles;

    bool Opened() const { return window != nullptr; }

    // The child at this client position (its top-left corner), or none.
    HWND ChildAt(int x, int y) const;
    std::wstring TextAt(int x, int y) const;
    std::wstring Status() const { return TextAt(228, 30); }
    std::wstring Score() const { return TextAt(427, 200); }
    std::wstring Level() const { return TextAt(427, 240); }
    std::wstring Ticker() const { return TextAt(0, 0); }
    HWND PlayButton() const { return ChildAt(512, 40); }
    HWND InfoButton() const { return ChildAt(512, 90); }
    HWND CloseButton() const { return ChildAt(512, 140); }

    // The tile a board cell shows on the screen.
    int Cell(int row, int column) const;
    int CellOf(const Probe::Snapshot &snapshot, int row, int column) const;
    // The whole board, or only one column of the playing area (the rest
    // then reads as empty).
    Board ReadBoard(int onlyColumn = -1) const;

    // Waits until the condition on the board holds; the last board read is
    // left in board.
    bool WaitForBoard(const std::function<bool(const Board &)> &condition, Board &board,
                      std::chrono::milliseconds timeout = std::chrono::seconds(10),
                      int onlyColumn = -1) const;

    // Waits for the exit question, checks nothing, returns its window.
    HWND WaitForExitQuestion(std::chrono::milliseconds timeout = std::chrono::seconds(10)) const;

    // Puts the main window in front so that the keys reach it.
    void BringToFront() const;
};

inline int At(const Board &board, int row, int column) {
    return board[static_cast<std::size_t>(row * Columns + column)];
}

// The balls of the playing area that are not in any of the given cells.
int BallsInPlayingArea(const Board &board);

// The column and rows of a vertical run of balls in the playing area, for a
// board holding only the falling trio. False when there are none.
struct Stack {
    int column = 0;
    int top = 0;    // first row
    int bottom = 0; // last row
};
bool FindOnlyStack(const Board &board, Stack &stack);

} // namespace E2E
