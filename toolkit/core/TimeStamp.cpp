#include "toolkit/core/TimeStamp.h"

#include <chrono>
#include <ctime>
#include <utility>


namespace OrvoUtility {

namespace {

LocalClock &InstalledClock() {
    static LocalClock clock;
    return clock;
}

// Days from 1 January 1970 to the given civil date (proleptic Gregorian).
std::int64_t DaysFromCivil(std::int64_t y, unsigned m, unsigned d) {
    y -= m <= 2;
    const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
    const unsigned yoe = static_cast<unsigned>(y - era * 400);
    const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + static_cast<std::int64_t>(doe) - 719468;
}

bool IsLeapYear(unsigned y) {
    return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0;
}

unsigned DaysInMonth(unsigned y, unsigned m) {
    static const unsigned days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return m == 2 && IsLeapYear(y) ? 29 : days[m - 1];
}

} // namespace

void SetLocalClock(LocalClock clock) {
    InstalledClock() = std::move(clock);
}

LocalTime SystemLocalTime() {
    LocalTime t;
    const auto now = std::chrono::system_clock::now();
    const std::time_t seconds = std::chrono::system_clock::to_time_t(now);
    const auto ms =
        std::chrono::duration_cast<std::chrono::milliseconds>(now.time_since_epoch()) % 1000;
    std::tm parts{};
#ifdef _WIN32
    localtime_s(&parts, &seconds);
#else
    localtime_r(&seconds, &parts);
#endif
    t.year = static_cast<std::uint16_t>(parts.tm_year + 1900);
    t.month = static_cast<std::uint16_t>(parts.tm_mon + 1);
    t.dayOfWeek = static_cast<std::uint16_t>(parts.tm_wday);
    t.day = static_cast<std::uint16_t>(parts.tm_mday);
    t.hour = static_cast<std::uint16_t>(parts.tm_hour);
    t.minute = static_cast<std::uint16_t>(parts.tm_min);
    t.second = static_cast<std::uint16_t>(parts.tm_sec);
    t.milliseconds = static_cast<std::uint16_t>(ms.count() < 0 ? 0 : ms.count());
    return t;
}

TimeStamp TimeStamp::Now() {
    TimeStamp stamp;
    const LocalClock &clock = InstalledClock();
    stamp.time = clock ? clock() : SystemLocalTime();
    stamp.unset = false;
    return stamp;
}

bool ToFileTime(const LocalTime &t, std::int64_t &fileTime) {
    if (t.year < 1601 || t.year > 30827 || t.month < 1 || t.month > 12 || t.day < 1 ||
        t.day > DaysInMonth(t.year, t.month) || t.hour > 23 || t.minute > 59 || t.second > 59 ||
        t.milliseconds > 999)
        return false;
    const std::int64_t days = DaysFromCivil(t.year, t.month, t.day) - DaysFromCivil(1601, 1, 1);
    const std::int64_t ms =
        ((days * 24 + t.hour) * 60 + t.minute) * 60000 + t.second * 1000 + t.milliseconds;
    fileTime = ms * 10000;
    return true;
}

std::int64_t ElapsedMilliseconds(const TimeStamp &from, const TimeStamp &to) {
    if (from.unset)
        return 0;
    std::int64_t start = 0;
    std::int64_t end = 0;
    ToFileTime(from.time, start);
    if (!ToFileTime(to.time, end))
        return 0;
    return (end - start) / 10000;
}

} // namespace OrvoUtility
