// Small fixtures for the game tests: boards drawn as rows of text, a sink
// that records every cell write, a listener that counts notifications, and
// fakes of the keyboard, joystick, clock and main window.
//
// Board pictures show columns 1 to 10 of the lowest rows of the playing area,
// the last string being row 13:
//   '.' empty, 'Y' yellow, 'R' red, 'G' green, 'B' blue, '*' exploding.
#pragma once

#include "game/GameBoard.h"
#include "game/GameLoop.h"
#include "game/PlayerInput.h"
#include "toolkit/core/TimeStamp.h"

#include <cstdint>
#include <functional>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

namespace VeRize::test {

using Picture = std::vector<std::string>;

inline std::int32_t ValueOf(char c) {
    switch (c) {
    case '.':
        return Empty;
    case 'Y':
        return Yellow;
    case 'R':
        return Red;
    case 'G':
        return Green;
    case 'B':
        return Blue;
    case '*':
        return Exploding;
    default:
        throw std::invalid_argument(std::string("no cell value for ") + c);
    }
}

inline char CharOf(std::int32_t v) {
    static const char chars[] = ".YRGB*";
    return v >= 0 && v <= 5 ? chars[v] : '#';
}

// Loads the picture into the lowest rows; the rows above are emptied.
inline void LoadPicture(GameBoard &board, const Picture &rows) {
    const int first = LastPlayRow + 1 - static_cast<int>(rows.size());
    for (int row = 0; row <= LastPlayRow; ++row)
        for (int column = FirstPlayColumn; column <= LastPlayColumn; ++column) {
            std::int32_t v = Empty;
            if (row >= first)
                v = ValueOf(rows[row - first].at(column - 1));
            board.LoadCell(row, column, v);
        }
}

// The lowest `count` rows of the playing area as text.
inline Picture Draw(const GameBoard &board, int count) {
    Picture rows;
    for (int row = LastPlayRow + 1 - count; row <= LastPlayRow; ++row) {
        std::string line;
        for (int column = FirstPlayColumn; column <= LastPlayColumn; ++column)
            line += CharOf(board.Cell(row, column));
        rows.push_back(line);
    }
    return rows;
}

// True when every playing-area row above the lowest `count` rows is empty.
inline bool EmptyAbove(const GameBoard &board, int count) {
    for (int row = 0; row <= LastPlayRow - count; ++row)
        for (int column = FirstPlayColumn; column <= LastPlayColumn; ++column)
            if (board.Cell(row, column) != Empty)
                return false;
    return true;
}

struct CellWrite {
    int row;
    int column;
    std::int32_t value;
    bool operator==(const CellWrite &) const = default;
};

class RecordingSink final : public CellSink {
public:
    void WriteCell(int row, int column, std::int32_t value) override {
        writes.push_back({row, column, value});
    }
    std::vector<CellWrite> writes;
};

class CountingListener final : public BoardListener {
public:
    void BallsMarked(int count) override {
        marked.push_back(count);
        ballsMarked += count;
    }
    void CountersChanged() override { ++countersChanged; }
    bool IsTraining() const override { return training; }

    std::vector<int> marked;
    int ballsMarked = 0;
    int countersChanged = 0;
    bool training = false;
};

// A board with its recording sink and counting listener.
struct BoardFixture {
    RecordingSink sink;
    CountingListener listener;
    GameBoard board{sink, listener};

    void PlaceTrio(std::int32_t top, std::int32_t middle, std::int32_t bottom, int column,
                   int topRow) {
        FallingTrio trio;
        trio.balls = {top, middle, bottom};
        trio.column = column;
        trio.topRow = topRow;
        board.LoadTrio(trio);
        for (int j = 0; j < 3; ++j)
            if (topRow + j >= 0)
                board.LoadCell(topRow + j, column, trio.balls[j]);
    }
};

class FakeKeyboard final : public Keyboard {
public:
    bool IsKeyDown(int virtualKey) override {
        asked.push_back(virtualKey);
        return held.count(virtualKey) != 0;
    }
    std::set<int> held;
    std::vector<int> asked;
};

class FakeJoystick final : public JoystickDriver {
public:
    unsigned DeviceCount() override {
        ++calls;
        return devices;
    }
    bool ReadPosition(unsigned id, JoystickPosition &position) override {
        ++calls;
        ++positionReads;
        if (id > 1 || !present[id])
            return false;
        position = positions[id];
        return true;
    }
    bool ReadCapabilities(unsigned id, JoystickRange &range) override {
        ++calls;
        if (id > 1 || !capabilities[id])
            return false;
        range = ranges[id];
        return true;
    }

    unsigned devices = 0;
    bool present[2] = {false, false};
    bool capabilities[2] = {true, true};
    JoystickPosition positions[2];
    JoystickRange ranges[2];
    int calls = 0;
    int positionReads = 0;
};

class RecordingSound final : public SoundOutput {
public:
    void PlayWave(int resource) override { waves.push_back(resource); }
    std::vector<int> waves;
};

// Local time from a count of milliseconds after 1 March 2026, 10:00:00.
inline OrvoUtility::LocalTime LocalTimeAt(std::int64_t ms) {
    // Civil date from days since 1970-01-01 (proleptic Gregorian).
    const std::int64_t baseDays = 20513; // 2026-03-01
    std::int64_t total = ms + 10LL * 3600 * 1000;
    std::int64_t days = baseDays + total / 86400000;
    std::int64_t inDay = total % 86400000;
    if (inDay < 0) {
        inDay += 86400000;
        --days;
    }
    const std::int64_t z = days + 719468;
    const std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const std::int64_t doe = z - era * 146097;
    const std::int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const std::int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const std::int64_t mp = (5 * doy + 2) / 153;
    const std::int64_t d = doy - (153 * mp + 2) / 5 + 1;
    const std::int64_t m = mp < 10 ? mp + 3 : mp - 9;
    const std::int64_t y = yoe + era * 400 + (m <= 2 ? 1 : 0);
    OrvoUtility::LocalTime t;
    t.year = static_cast<std::uint16_t>(y);
    t.month = static_cast<std::uint16_t>(m);
    t.day = static_cast<std::uint16_t>(d);
    t.hour = static_cast<std::uint16_t>(inDay / 3600000);
    t.minute = static_cast<std::uint16_t>(inDay / 60000 % 60);
    t.second = static_cast<std::uint16_t>(inDay / 1000 % 60);
    t.milliseconds = static_cast<std::uint16_t>(inDay % 1000);
    return t;
}

// Installs a clock that the test moves by hand; restores the real one after.
class FakeClock {
public:
    FakeClock() {
        OrvoUtility::SetLocalClock([this] { return LocalTimeAt(now); });
    }
    ~FakeClock() { OrvoUtility::SetLocalClock(nullptr); }
    FakeClock(const FakeClock &) = delete;
    FakeClock &operator=(const FakeClock &) = delete;

    std::int64_t now = 0;
};

// The main window as the loop sees it.
class FakeView final : public GameView {
public:
    void SetScoreText(const std::string &text) override { scoreText = text; }
    void SetLevelText(const std::string &text) override { levelText = text; }
    void SetStatusText(const std::string &text) override { statusText = text; }
    std::string PlayButtonText() override { return buttonText; }
    void SetPlayButtonText(const std::string &text) override { buttonText = text; }
    void AdvanceScoreTicker() override {
        ++tickerSteps;
        if (onTicker)
            onTicker();
    }
    void BeginNameEntry(std::int32_t score, std::int32_t level) override {
        nameEntries.push_back({score, level});
    }
    bool IsTraining() override { return training; }
    bool IsJoystickOn() override { return joystick; }
    void PlayWave(int resource) override { waves.push_back(resource); }

    std::string scoreText, levelText, statusText;
    std::string buttonText = "GIOCA";
    int tickerSteps = 0;
    std::function<void()> onTicker;
    std::vector<std::pair<std::int32_t, std::int32_t>> nameEntries;
    bool training = false;
    bool joystick = false;
    std::vector<int> waves;
};

} // namespace VeRize::test
