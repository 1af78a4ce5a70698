#include "game/GameBoard.h"

#include "game/Random.h"

namespace VeRize {

std::int32_t GameBoard::FrameValue(int row, int column) {
    if (row == BoardRows - 1) {
        if (column == 0)
            return CornerLeft;
        if (column == BoardColumns - 1)
            return CornerRight;
        return Floor;
    }
    if (column == 0)
        return WallLeft;
    if (column == BoardColumns - 1)
        return WallRight;
    return Empty;
}

GameBoard::GameBoard(CellSink &cells, BoardListener &listener) : sink_(cells), listener_(listener) {
    for (int row = 0; row < BoardRows; ++row)
        for (int column = 0; column < BoardColumns; ++column)
            cells_[Index(row, column)] = FrameValue(row, column);
}

void GameBoard::Write(int row, int column, std::int32_t value) {
    cells_[Index(row, column)] = value;
    sink_.WriteCell(row, column, value);
}

void GameBoard::AddScore(int count) {
    if (!listener_.IsTraining())
        score_ += count;
    listener_.BallsMarked(count);
}

void GameBoard::Reset() {
    score_ = 0;
    level_ = 0;
    trioCount_ = 0;
    listener_.CountersChanged();
    for (int row = 0; row < BoardRows; ++row)
        for (int column = 0; column < BoardColumns; ++column)
            if (IsInterior(row, column))
                Write(row, column, Empty);
    trio_.balls = {0, 0, 0};
}

void GameBoard::SpawnTrio() {
    trio_.column = DrawColumn();
    do {
        for (std::int32_t &ball : trio_.balls)
            ball = DrawColour();
    } while (trio_.balls[0] == trio_.balls[1] && trio_.balls[1] == trio_.balls[2]);
    ++trioCount_;
    level_ = trioCount_ / 10 + 1;
    listener_.CountersChanged();
    trio_.topRow = -3;
}

StepResult GameBoard::StepDown() {
    const int t = trio_.topRow;
    const int c = trio_.column;
    if (Cell(t + 3, c) != Empty) {
        if (t <= 0)
            return StepResult::GameOver;
        Land();
        return StepResult::Landed;
    }
    trio_.topRow = t + 1;
    if (t + 1 >= 1)
        Write(t, c, Empty);
    for (int j = 0; j < 3; ++j)
        if (t + 1 + j >= 0)
            Write(t + 1 + j, c, trio_.balls[j]);
    return StepResult::Moved;
}

void GameBoard::Land() {
    fastDrop_ = false;
    scanRow_ = trio_.topRow + 2;
    if (MatchVertical(trio_.column, scanRow_) > 0) {
        clearing_ = true;
        boardPass_ = true;
    } else {
        clearing_ = ScanRowsUpward();
    }
    trio_.balls[0] = 0;
}

void GameBoard::ShiftTrio(int direction) {
    const int t = trio_.topRow;
    const int c = trio_.column;
    const int n = c + direction;
    if (n < 1 || n > 11)
        return;
    std::int64_t sum = 0;
    for (int j = 0; j < 3; ++j)
        if (t + j >= 0)
            sum += Cell(t + j, n);
    if (sum != 0)
        return;
    for (int j = 0; j < 3; ++j) {
        if (t + j >= 0) {
            Write(t + j, c, Empty);
            Write(t + j, n, trio_.balls[j]);
        }
    }
    trio_.column = n;
}

void GameBoard::CycleTrio(CycleDirection direction) {
    std::array<std::int32_t, 3> &b = trio_.balls;
    if (direction == CycleDirection::Up)
        b = {b[1], b[2], b[0]};
    else
        b = {b[2], b[0], b[1]};
}

void GameBoard::RedrawTrio() {
    for (int j = 0; j < 3; ++j)
        if (trio_.topRow + j >= 0)
            Write(trio_.topRow + j, trio_.column, trio_.balls[j]);
}

int GameBoard::MatchVertical(int c, int &r) {
    // Rows above the board hold no balls; the wall columns never form runs.
    if (r < 0 || r > 12 || c < FirstPlayColumn || c > LastPlayColumn)
        return 0;
    const std::int32_t b = Cell(r, c);
    if (b == Empty)
        return 0;
    if (Cell(r + 1, c) != b)
        return 0;
    const bool below = r + 2 <= LastPlayRow && Cell(r + 2, c) == b;
    const bool above = r > 0 && Cell(r - 1, c) == b;
    if (!below && !above)
        return 0;
    int count = 0;
    int last = r;
    for (int k = r > 0 ? r - 1 : r; k <= LastPlayRow; ++k) {
        if (Cell(k, c) == b) {
            Write(k, c, Exploding);
            ++count;
            last = k;
        } else if (k != r - 1) {
            break;
        }
    }
    r = last;
    if (count > 0)
        AddScore(count);
    return count;
}

int GameBoard::ScanRow(int r) {
    // Rows above the board and the floor row are never scanned.
    if (r < 0 || r > LastPlayRow)
        return 0;
    int total = 0;
    std::int32_t p = 0;
    int n = 0;
    int s = 0;
    auto closeRun = [&]() {
        if (p != 0 && n >= 3) {
            for (int k = s; k < s + n; ++k)
                Write(r, k, Exploding);
            total += n;
        }
    };
    for (int k = 1; k <= 11; ++k) {
        const std::int32_t v = Cell(r, k);
        if (p != 0 && v == p) {
            ++n;
        } else {
            closeRun();
            p = v;
            n = 1;
            s = k;
        }
    }
    closeRun();
    return total;
}

bool GameBoard::ScanRowsUpward() {
    for (;;) {
        const int n = ScanRow(scanRow_);
        if (n > 0) {
            AddScore(n);
            return true;
        }
        --scanRow_;
        if (scanRow_ < 0)
            return false;
    }
}

void GameBoard::ClearingStep() {
    bool exploded = false;
    bool moved = false;
    if (!boardPass_)
        RowStep(exploded, moved);
    else
        BoardStep(exploded, moved);
    if (!exploded)
        Settle(moved);
}

void GameBoard::RowStep(bool &exploded, bool &moved) {
    for (int k = 1; k <= 11; ++k) {
        const int r = scanRow_;
        if (r < 0 || r > LastPlayRow)
            return; // no row of the playing area to work on
        const std::int32_t v = Cell(r, k);
        if (v == Exploding) {
            Write(r, k, Empty);
            exploded = true;
            if (moved)
                RecheckColumns(exploded);
        } else if (v == Empty) {
            for (int q = r; q >= 1; --q)
                Write(q, k, Cell(q - 1, k));
            Write(0, k, Empty);
            moved = true;
            RecheckColumns(exploded);
        } else if (moved) {
            RecheckColumns(exploded);
        }
    }
}

void GameBoard::RecheckColumns(bool &exploded) {
    int m = scanRow_;
    for (int i = FirstPlayColumn; i <= LastPlayColumn; ++i) {
        int x = scanRow_;
        if (MatchVertical(i, x) > 0) {
            boardPass_ = true;
            exploded = true;
            if (x > m)
                m = x;
        }
    }
    scanRow_ = m;
}

void GameBoard::BoardStep(bool &exploded, bool &moved) {
    for (int k = FirstPlayColumn; k <= LastPlayColumn; ++k) {
        for (int q = LastPlayRow; q >= 1; --q) {
            const std::int32_t v = Cell(q, k);
            if (v == Exploding) {
                Write(q, k, Empty);
                exploded = true;
            } else if (v == Empty) {
                moved = true;
                for (int p = q - 1; p >= 0; --p) {
                    const std::int32_t above = Cell(p, k);
                    if (above != Empty) {
                        Write(q, k, above);
                        Write(p, k, Empty);
                        // A marked ball that fell into a gap has not been
                        // emptied yet: keep the board pass on so that the
                        // next board step empties it where it now lies.
                        if (above == Exploding)
                            exploded = true;
                        break;
                    }
                }
            }
        }
    }
    if (!exploded)
        boardPass_ = false;
}

void GameBoard::Settle(bool moved) {
    if (!moved)
        --scanRow_;
    if (MatchVertical(trio_.column, scanRow_) > 0)
        boardPass_ = true;
    else if (scanRow_ < 0)
        clearing_ = false;
    else if (!ScanRowsUpward())
        clearing_ = false;
}

} // namespace VeRize
