#include "tests/e2e/GameWindow.h"

#include <climits>

namespace E2E {

namespace {

// The board's top-left cell in the client area; every cell is 27 x 27.
constexpr int BoardLeft = 105;
constexpr int BoardTop = 87;
constexpr int CellSize = 27;
constexpr int TileStripResource = 1011;

int Distance(COLORREF a, COLORREF b) {
    const int r = GetRValue(a) - GetRValue(b);
    const int g = GetGValue(a) - GetGValue(b);
    const int bl = GetBValue(a) - GetBValue(b);
    return r * r + g * g + bl * bl;
}

} // namespace

std::wstring GameExe(const std::wstring &name) {
    return Probe::ProgramFolder() + L"..\\..\\app\\" + name + L".exe";
}

TileColours::TileColours(const std::wstring &exePath) {
    HMODULE module = LoadLibraryExW(exePath.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    if (module == nullptr)
        return;
    auto strip = static_cast<HBITMAP>(LoadImageW(module, MAKEINTRESOURCEW(TileStripResource),
                                                 IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    if (strip != nullptr) {
        HDC memory = CreateCompatibleDC(nullptr);
        HGDIOBJ old = SelectObject(memory, strip);
        for (int tile = 0; tile < 12; ++tile)
            centre_[static_cast<std::size_t>(tile)] =
                GetPixel(memory, tile * CellSize + CellSize / 2, CellSize / 2);
        SelectObject(memory, old);
        DeleteDC(memory);
        DeleteObject(strip);
        loaded_ = true;
    }
    FreeLibrary(module);
}

int TileColours::Classify(COLORREF colour) const {
    // Only the tiles of the playing area: empty, four balls, shards.
    int best = -1;
    int bestDistance = INT_MAX;
    for (int tile = 0; tile <= 5; ++tile) {
        const int d = Distance(colour, centre_[static_cast<std::size_t>(tile)]);
        if (d < bestDistance) {
            best = tile;
            bestDistance = d;
        }
    }
    return bestDistance <= 3 * 40 * 40 ? best : -1;
}

GameWindow::GameWindow(const std::wstring &exeName)
    : process(L"\"" + GameExe(exeName) + L"\""), tiles(GameExe(exeName)) {
    if (!process.Started())
        return;
    Probe::WaitFor([&] { return (window = Probe::FindTopWindow(L"Corvanta", process.Id())); });
    // The build has finished when the last button exists, and the window
    // has been painted when the screen shows the empty board (until then the
    // screen may still show what was there before).
    if (window != nullptr && Probe::WaitFor([&] { return PlayButton() != nullptr; })) {
        Board board{};
        WaitForBoard([](const Board &b) { return BallsInPlayingArea(b) == 0; }, board);
    }
}

HWND GameWindow::ChildAt(int x, int y) const {
    return Probe::ChildAt(window, x, y);
}

std::wstring GameWindow::TextAt(int x, int y) const {
    HWND child = ChildAt(x, y);
    return child != nullptr ? Probe::WindowText(child) : L"<none>";
}

int GameWindow::Cell(int row, int column) const {
    const Probe::Snapshot snapshot(window);
    return CellOf(snapshot, row, column);
}

int GameWindow::CellOf(const Probe::Snapshot &snapshot, int row, int column) const {
    const COLORREF colour = snapshot.Pixel(BoardLeft + CellSize * column + CellSize / 2,
                                           BoardTop + CellSize * row + CellSize / 2);
    return tiles.Classify(colour);
}

Board GameWindow::ReadBoard(int onlyColumn) const {
    const Probe::Snapshot snapshot(window);
    Board board{};
    for (int row = 0; row < Rows; ++row)
        for (int column = 0; column < Columns; ++column) {
            const bool interior = row < Rows - 1 && column > 0 && column < Columns - 1;
            int value = 7;
            if (interior)
                value = onlyColumn < 0 || column == onlyColumn ? CellOf(snapshot, row, column) : 0;
            board[static_cast<std::size_t>(row * Columns + column)] = value;
        }
    return board;
}

bool GameWindow::WaitForBoard(const std::function<bool(const Board &)> &condition, Board &board,
                              std::chrono::milliseconds timeout, int onlyColumn) const {
    return Probe::WaitFor(
        [&] {
            board = ReadBoard(onlyColumn);
            return condition(board);
        },
        timeout);
}

HWND GameWindow::WaitForExitQuestion(std::chrono::milliseconds timeout) const {
    HWND box = nullptr;
    Probe::WaitFor([&] { return (box = Probe::FindMessageBox(L"Uscita")) != nullptr; }, timeout);
    return box;
}

void GameWindow::BringToFront() const {
    SetForegroundWindow(window);
    Probe::WaitFor([&] { return GetForegroundWindow() == window; }, std::chrono::seconds(3));
}

int BallsInPlayingArea(const Board &board) {
    int balls = 0;
    for (int row = 0; row < Rows - 1; ++row)
        for (int column = 1; column < Columns - 1; ++column)
            if (At(board, row, column) != 0)
                ++balls;
    return balls;
}

bool FindOnlyStack(const Board &board, Stack &stack) {
    bool found = false;
    for (int column = 1; column < Columns - 1; ++column)
        for (int row = 0; row < Rows - 1; ++row) {
            if (At(board, row, column) == 0)
                continue;
            if (!found) {
                found = true;
                stack = Stack{column, row, row};
            } else if (column != stack.column || row != stack.bottom + 1) {
                return false; // balls elsewhere too
            } else {
                stack.bottom = row;
            }
        }
    return found;
}

} // namespace E2E
