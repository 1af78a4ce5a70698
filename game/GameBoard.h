// The board of the game: a framed grid of 15 rows by 12 columns, the falling
// trio of balls, and every rule that changes a cell.
//
// Cells are stored row by row (cell (row, column) is entry row * 12 + column).
// Columns 0 and 11 and row 14 are the frame; the playing area is columns 1 to
// 10 of rows 0 to 13. The value of a cell is also the column of its tile in the
// tile strip.
//
// The board talks to its owner through two narrow interfaces:
//  - a CellSink receives every cell write, in order (the main window forwards
//    it to the cell's ImageFrame::SetTile(value, 0); a value written twice is
//    repainted twice);
//  - a BoardListener hears BallsMarked(n) and CountersChanged() and answers
//    whether training is on (read live at every score).
//
// Frame: the constructor fills the grid with the frame values and an empty
// playing area WITHOUT writing to the sink. Whoever builds the cell elements
// takes each cell's first value from Cell(row, column) and marks the cells for
// which IsInterior(row, column) holds (their tag "1"). Nothing ever writes a
// frame cell afterwards.
//
// Process-wide state: Reset starts a new game (counters, playing area, trio
// balls) but keeps the trio's column and top row, the scan row and the
// clearing, board-pass and fast-drop flags. A game begun during a clearing
// phase therefore first runs the pending clearing step on the emptied board,
// which finds nothing and ends the phase.
#pragma once

#include <array>
#include <cstdint>

namespace VeRize {

// Cell values (the tile of each is the value itself).
enum CellValue : std::int32_t {
    Empty = 0,
    Yellow = 1,
    Red = 2,
    Green = 3,
    Blue = 4,
    Exploding = 5, // a ball marked for explosion; removed by the next clearing step
    ShardsAlt = 6, // second shards tile; never written by the rules
    WallLeft = 7,
    Floor = 8,
    WallRight = 9,
    CornerLeft = 10,
    CornerRight = 11,
};

constexpr int BoardRows = 15;
constexpr int BoardColumns = 12;
constexpr int BoardCells = BoardRows * BoardColumns;
constexpr int LastPlayRow = 13; // rows 0..13 hold balls, row 14 is the floor
constexpr int FirstPlayColumn = 1;
constexpr int LastPlayColumn = 10;

// Receives every write of a cell value (row 0..14, column 0..11).
class CellSink {
public:
    virtual void WriteCell(int row, int column, std::int32_t value) = 0;

protected:
    ~CellSink() = default;
};

// What the board tells its owner, and the one thing it asks.
class BoardListener {
public:
    virtual void BallsMarked(int count) = 0;
    virtual void CountersChanged() = 0;
    virtual bool IsTraining() const = 0; // while true, marked balls add nothing to score

protected:
    ~BoardListener() = default;
};

// The falling trio. Its balls stand at (topRow + j, column) for j = 0, 1, 2;
// rows below 0 lie above the board. A top value of 0 means no trio in play.
struct FallingTrio {
    std::array<std::int32_t, 3> balls{}; // top, middle, bottom
    std::int32_t column = 0;
    std::int32_t topRow = 0;

    bool InPlay() const { return balls[0] != 0; }
};

enum class StepResult { Moved, Landed, GameOver };
enum class CycleDirection { Up, Down };

class GameBoard {
public:
    GameBoard(CellSink &cells, BoardListener &listener);

    // --- rule operations ---
    void Reset();
    void SpawnTrio();
    StepResult StepDown();
    void ShiftTrio(int direction); // -1 left, +1 right
    void CycleTrio(CycleDirection direction);
    void RedrawTrio();
    int MatchVertical(int column, int &row);
    int ScanRow(int row);
    bool ScanRowsUpward();
    void ClearingStep();

    // --- state ---
    std::int32_t Cell(int row, int column) const { return cells_[Index(row, column)]; }
    const std::array<std::int32_t, BoardCells> &Cells() const { return cells_; }
    static bool IsInterior(int row, int column) {
        return row >= 0 && row <= LastPlayRow && column >= FirstPlayColumn &&
               column <= LastPlayColumn;
    }
    // The value a cell holds when the board is built (frame or empty).
    static std::int32_t FrameValue(int row, int column);

    const FallingTrio &Trio() const { return trio_; }
    std::int32_t Score() const { return score_; }
    std::int32_t TrioCount() const { return trioCount_; }
    std::int32_t Level() const { return level_; }
    std::int32_t ScanRowIndex() const { return scanRow_; }
    bool Clearing() const { return clearing_; }
    bool BoardPass() const { return boardPass_; }
    bool FastDrop() const { return fastDrop_; }
    void SetFastDrop(bool on) { fastDrop_ = on; }

    // Direct state setting for tests and tools: no sink writes, no notices.
    void LoadCell(int row, int column, std::int32_t value) { cells_[Index(row, column)] = value; }
    void LoadTrio(const FallingTrio &trio) { trio_ = trio; }
    void LoadClearing(bool clearing, bool boardPass, std::int32_t scanRow) {
        clearing_ = clearing;
        boardPass_ = boardPass;
        scanRow_ = scanRow;
    }
    void LoadCounters(std::int32_t score, std::int32_t trioCount, std::int32_t level) {
        score_ = score;
        trioCount_ = trioCount;
        level_ = level;
    }

private:
    static int Index(int row, int column) { return row * BoardColumns + column; }
    void Write(int row, int column, std::int32_t value);
    void Land();
    void AddScore(int count);
    void RowStep(bool &exploded, bool &moved);
    void RecheckColumns(bool &exploded);
    void BoardStep(bool &exploded, bool &moved);
    void Settle(bool moved);

    CellSink &sink_;
    BoardListener &listener_;
    std::array<std::int32_t, BoardCells> cells_{};
    FallingTrio trio_;
    std::int32_t score_ = 0;
    std::int32_t trioCount_ = 0;
    std::int32_t level_ = 0;
    std::int32_t scanRow_ = 0;
    bool clearing_ = false;
    bool boardPass_ = false;
    bool fastDrop_ = false;
};

} // namespace VeRize
