// Local wall-clock time stamps and the milliseconds between two of them.
//
// The fields mirror Win32's SYSTEMTIME (local date and time down to
// milliseconds); the clock and the arithmetic here are portable.
#pragma once

#include <cstdint>
#include <functional>

namespace OrvoUtility {

struct LocalTime {
    std::uint16_t year = 0;
    std::uint16_t month = 0; // 1..12
    std::uint16_t dayOfWeek = 0;
    std::uint16_t day = 0; // 1..31
    std::uint16_t hour = 0;
    std::uint16_t minute = 0;
    std::uint16_t second = 0;
    std::uint16_t milliseconds = 0;
};

struct TimeStamp {
    LocalTime time;
    bool unset = true; // the stamp holds no time yet

    // The current local time, read through the clock below.
    static TimeStamp Now();
};

// The source of the current local time: by default the real clock
// (the C library's local time with the system clock's milliseconds); tests
// install a fake.
using LocalClock = std::function<LocalTime()>;
void SetLocalClock(LocalClock clock); // an empty clock restores the default
LocalTime SystemLocalTime();          // the platform's own local time

// Converts to 100-nanosecond intervals since 1 January 1601; false when the
// fields do not form a valid date and time (as SystemTimeToFileTime would).
bool ToFileTime(const LocalTime &time, std::int64_t &fileTime);

// Milliseconds from one stamp to another, truncated towards zero; 0 when
// from is unset or to is not a valid time. Negative when to is earlier.
std::int64_t ElapsedMilliseconds(const TimeStamp &from, const TimeStamp &to);

} // namespace OrvoUtility
