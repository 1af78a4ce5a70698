// The game loop: what each 30 ms tick does, starting and abandoning a game,
// game over, the score and level texts and the two sounds.
//
// How the main window wires it:
//  - FormMain implements GameView (texts, play button, score ticker step,
//    name entry, the two option flags, PlayWave) and CellSink (forward
//    WriteCell(row, column, v) to cell row * 12 + column: ImageFrame::SetTile(v, 0)).
//  - It keeps the Win32 seams of game/win32/Win32Platform.h as members:
//    a Win32Keyboard (SetWindow(its own window handle) once the window
//    exists: until then no key counts), a Win32Joystick, and a Win32Sound
//    for the program's module, to which its PlayWave forwards.
//  - It owns one GameLoop, built in its constructor before the window:
//        loop = std::make_unique<GameLoop>(*this, *this, keyboard, joystick);
//    then builds its 180 cells from GameBoard::FrameValue / IsInterior (the
//    board writes no frame cells; Reset writes the playing area), and calls
//    RefreshCounters() once when the window is built ("Punteggio: 00000",
//    "Livello: 00").
//  - FormMain::Tick() is loop->Tick(); the play button calls
//    loop->StartOrAbandon(). The name entry's SaveScore reads the final
//    score and level from loop->Board() (or keeps what BeginNameEntry got).
//  - The training and joystick flags are read live from the view
//    (IsTraining at every step and every score, IsJoystickOn at every read).
#pragma once

#include "game/GameBoard.h"
#include "game/PlayerInput.h"
#include "toolkit/core/TimeStamp.h"

#include <cstdint>
#include <string>

namespace VeRize {

// Texts the loop writes and reads.
inline const std::string PlayText = "GIOCA";
inline const std::string AbandonText = "ABBANDONA";
inline const std::string GameOverText = "Fine gioco!";

// Milliseconds that must pass between two reads of the player's controls.
constexpr std::int64_t ControlInterval = 100;
// Ticks that must pass before a clearing step runs (it runs on the 21st).
constexpr std::int32_t ClearingTicks = 20;

// Everything the loop needs from the main window.
class GameView : public SoundOutput {
public:
    virtual void SetScoreText(const std::string &text) = 0;
    virtual void SetLevelText(const std::string &text) = 0;
    virtual void SetStatusText(const std::string &text) = 0;
    virtual std::string PlayButtonText() = 0;
    virtual void SetPlayButtonText(const std::string &text) = 0;
    // The score ticker's turn, at the start of every tick.
    virtual void AdvanceScoreTicker() = 0;
    // A game ended with at least one point: ask for the player's name.
    virtual void BeginNameEntry(std::int32_t score, std::int32_t level) = 0;
    virtual bool IsTraining() = 0;
    virtual bool IsJoystickOn() = 0;

protected:
    ~GameView() = default;
};

class GameLoop : private BoardListener {
public:
    GameLoop(GameView &view, CellSink &cells, Keyboard &keyboard, JoystickDriver &joystick);

    void Tick();
    void StartOrAbandon();
    void EndGame();
    void RefreshCounters();

    // The step threshold: a trio steps when ticksSinceStep exceeds it.
    static std::int32_t StepThreshold(std::int32_t trioCount, bool training);

    GameBoard &Board() { return board_; }
    const GameBoard &Board() const { return board_; }
    PlayerInput &Input() { return input_; }
    bool Playing() const { return playing_; }
    std::int32_t TicksSinceStep() const { return ticksSinceStep_; }

private:
    void BallsMarked(int count) override;
    void CountersChanged() override;
    bool IsTraining() const override;
    void ReadControlsWhenDue();
    void StepTrio();

    GameView &view_;
    GameBoard board_;
    PlayerInput input_;
    bool playing_ = false;
    std::int32_t ticksSinceStep_ = 0;
    OrvoUtility::TimeStamp lastMoveTime_; // unset until the first tick
    bool inTick_ = false;
};

} // namespace VeRize
