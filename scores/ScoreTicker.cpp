#include "scores/ScoreTicker.h"

namespace VeRize {

using OrvoUtility::NarrowText;
using OrvoUtility::TimeStamp;

NarrowText TickerText(int index, const NarrowText &line) {
    // "\xB0" is the degree sign, used as the ordinal mark after the rank.
    return "Classifica: " + OrvoUtility::Decimal(static_cast<std::int64_t>(index) + 1) +
           "\xB0 Punteggio " + line;
}

void AdvanceScoreTicker(ScoreTicker &ticker, const TextLines &scoreLines,
                        const TickerTextSink &setText) {
    if (ticker.tickerChanged.unset)
        ticker.tickerChanged = TimeStamp::Now();

    const TimeStamp now = TimeStamp::Now();
    const std::int64_t elapsed = OrvoUtility::ElapsedMilliseconds(ticker.tickerChanged, now);
    if (elapsed < 0) {
        // The clock was set back: count again from now rather than stand
        // still until the clock reaches the old moment.
        ticker.tickerChanged = now;
        return;
    }
    if (elapsed <= kTickerStepMilliseconds)
        return;
    ticker.tickerChanged = TimeStamp::Now();

    const std::size_t count = scoreLines.size();
    if (count == 0)
        return;
    if (ticker.tickerIndex < 0 || static_cast<std::size_t>(ticker.tickerIndex) > count - 1) {
        if (setText)
            setText(NarrowText());
        ticker.tickerIndex = 0;
        return;
    }
    if (setText)
        setText(TickerText(ticker.tickerIndex,
                           scoreLines[static_cast<std::size_t>(ticker.tickerIndex)]));
    ++ticker.tickerIndex;
}

} // namespace VeRize
