#include "game/GameLoop.h"

#include "toolkit/core/Text.h"

#include <algorithm>

namespace VeRize {

using OrvoUtility::ElapsedMilliseconds;
using OrvoUtility::TimeStamp;
using OrvoUtility::ZeroPadded;

GameLoop::GameLoop(GameView &view, CellSink &cells, Keyboard &keyboard, JoystickDriver &joystick)
    : view_(view), board_(cells, *this), input_(board_, keyboard, joystick, view) {}

std::int32_t GameLoop::StepThreshold(std::int32_t n, bool training) {
    if (training)
        return 30;
    if ((n > 40 && n < 50) || (n > 60 && n < 70) || (n > 80 && n < 90))
        return 30;
    return 30 - std::min<std::int32_t>(std::max<std::int32_t>(n, 0), 25);
}

void GameLoop::Tick() {
    if (inTick_)
        return;
    inTick_ = true;
    if (lastMoveTime_.unset)
        lastMoveTime_ = TimeStamp::Now();

    view_.AdvanceScoreTicker();
    if (playing_) {
        ++ticksSinceStep_;
        if (board_.Clearing()) {
            if (ticksSinceStep_ > ClearingTicks) {
                board_.ClearingStep();
                ticksSinceStep_ = 0;
            }
        } else {
            ReadControlsWhenDue();
            if (ticksSinceStep_ > StepThreshold(board_.TrioCount(), view_.IsTraining()))
                StepTrio();
        }
    }
    inTick_ = false;
}

void GameLoop::ReadControlsWhenDue() {
    const TimeStamp now = TimeStamp::Now();
    const std::int64_t elapsed = ElapsedMilliseconds(lastMoveTime_, now);
    if (elapsed < 0) {
        // The clock was set back: nothing has elapsed, but count the next
        // interval from now rather than from a moment that may be hours ahead.
        lastMoveTime_ = now;
        return;
    }
    if (elapsed <= ControlInterval)
        return;
    lastMoveTime_ = now;
    if (input_.ApplyControls(view_.IsJoystickOn()))
        board_.SetFastDrop(true);
}

void GameLoop::StepTrio() {
    if (!board_.Trio().InPlay())
        board_.SpawnTrio();
    StepResult result = board_.StepDown();
    while (result == StepResult::Moved && board_.FastDrop())
        result = board_.StepDown();
    if (result == StepResult::GameOver) {
        EndGame();
        board_.SetFastDrop(false);
    }
    ticksSinceStep_ = 0;
}

void GameLoop::StartOrAbandon() {
    if (view_.PlayButtonText() == AbandonText) {
        playing_ = false;
        view_.SetPlayButtonText(PlayText);
        return;
    }
    board_.Reset();
    view_.SetStatusText("");
    playing_ = true;
    view_.SetPlayButtonText(AbandonText);
}

void GameLoop::EndGame() {
    view_.SetStatusText(GameOverText);
    view_.SetPlayButtonText(PlayText);
    playing_ = false;
    if (board_.Score() >= 1)
        view_.BeginNameEntry(board_.Score(), board_.Level());
}

void GameLoop::RefreshCounters() {
    view_.SetScoreText("Punteggio: " + ZeroPadded(board_.Score(), 5));
    view_.SetLevelText("Livello: " + ZeroPadded(board_.Level(), 2));
}

void GameLoop::BallsMarked(int) {
    RefreshCounters();
    view_.PlayWave(WaveExplosion);
}

void GameLoop::CountersChanged() {
    RefreshCounters();
}

bool GameLoop::IsTraining() const {
    return view_.IsTraining();
}

} // namespace VeRize
