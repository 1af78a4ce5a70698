// The score ticker: the main window's ticker line shows the score table one
// entry at a time, each for five seconds, prefixed with its rank, and goes
// blank once after the last entry before starting again from the first.
#pragma once

#include "scores/TextFile.h"
#include "toolkit/core/Text.h"
#include "toolkit/core/TimeStamp.h"

#include <functional>

namespace VeRize {

struct ScoreTicker {
    int tickerIndex = 0;                  // the next line to show, from 0
    OrvoUtility::TimeStamp tickerChanged; // the last change; unset before the first tick
};

// Sets the narrow text of the ticker line.
using TickerTextSink = std::function<void(const OrvoUtility::NarrowText &)>;

// How long each entry stays, in milliseconds.
constexpr std::int64_t kTickerStepMilliseconds = 5000;

// One turn of the ticker, run at the start of every game tick. Changes the
// ticker line when more than five seconds have passed since the last change.
// An empty list leaves the line alone. When the clock has been set back the
// ticker counts its five seconds again from the new time.
void AdvanceScoreTicker(ScoreTicker &ticker, const TextLines &scoreLines,
                        const TickerTextSink &setText);

// The ticker text of the line at the given 0-based rank.
OrvoUtility::NarrowText TickerText(int index, const OrvoUtility::NarrowText &line);

} // namespace VeRize
