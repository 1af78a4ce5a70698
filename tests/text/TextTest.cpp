// Text conversions, number texts, padding, replacing and elapsed time.
#include "toolkit/core/Text.h"
#include "toolkit/core/TimeStamp.h"

#include <gtest/gtest.h>

using namespace OrvoUtility;

TEST(Text, WidenAndNarrowRoundTripEveryByte) {
    NarrowText all;
    for (int b = 1; b < 256; ++b)
        all.push_back(static_cast<char>(b));
    const WideText wide = Widen(all);
    ASSERT_EQ(wide.size(), all.size());
    EXPECT_EQ(wide[0xB0 - 1], static_cast<wchar_t>(0x00B0)); // the degree sign
    EXPECT_EQ(Narrow(wide), all);
}

TEST(Text, WidenStopsAtTheFirstZeroByte) {
    EXPECT_EQ(Widen(NarrowText("ab\0cd", 5)), L"ab");
}

TEST(Text, NarrowKeepsTheLowByteOfEachUnit) {
    struct Case {
        wchar_t unit;
        unsigned char byte;
    } cases[] = {{0x00E0, 0xE0}, {0x0141, 0x41}, {0x20AC, 0xAC}, {0x00B0, 0xB0}, {0x0041, 0x41}};
    for (const Case &c : cases) {
        const NarrowText n = Narrow(WideText(1, c.unit));
        ASSERT_EQ(n.size(), 1u);
        EXPECT_EQ(static_cast<unsigned char>(n[0]), c.byte) << std::hex << int(c.unit);
    }
}

TEST(Text, NumberTexts) {
    struct Case {
        std::int64_t value;
        const char *text;
    } cases[] = {{0, "0"},
                 {-12, "-12"},
                 {1250, "1250"},
                 {INT64_MAX, "9223372036854775807"},
                 {INT64_MIN, "-9223372036854775808"}};
    for (const Case &c : cases) {
        EXPECT_EQ(Decimal(c.value), c.text);
        EXPECT_EQ(WideDecimal(c.value), Widen(c.text));
    }
}

TEST(Text, ZeroPadded) {
    struct Case {
        std::int32_t value;
        int width;
        const char *text;
    } cases[] = {
        {7, 5, "00007"}, {42, 5, "00042"}, {123456, 5, "123456"}, {-5, 4, "00-5"},
        {3, 2, "03"},    {0, 0, "0"},      {12, 2, "12"},         {INT32_MIN, 3, "-2147483648"}};
    for (const Case &c : cases)
        EXPECT_EQ(ZeroPadded(c.value, c.width), c.text) << c.value << " " << c.width;
}

TEST(Text, PadRight) {
    EXPECT_EQ(PadRight("ANNA", ' ', 12), "ANNA        ");
    EXPECT_EQ(PadRight("ABCDEFGHIJKLMN", ' ', 12), "ABCDEFGHIJKLMN");
    EXPECT_EQ(PadRight("", '.', 3), "...");
    EXPECT_EQ(PadRight("ABCDEFGHIJKL", ' ', 12), "ABCDEFGHIJKL");
}

TEST(Text, ReplaceAll) {
    struct Case {
        const char *text, *pattern, *replacement, *result;
    } cases[] = {
        {"aaa", "a", "b", "bbb"},
        {"hello", "xyz", "q", "hello"},
        {"http://www.example.org", "http://www.", "info@", "info@example.org"},
        {"example.org", "http://www.", "info@", "example.org"},
        // Each search starts again at the beginning, so joined leftovers go too.
        {"aabb", "ab", "", ""},
        // An empty pattern leaves the text alone instead of looping for ever.
        {"abc", "", "x", "abc"},
        // A replacement holding the pattern is applied in one pass.
        {"a-a", "a", "aa", "aa-aa"},
    };
    for (const Case &c : cases)
        EXPECT_EQ(ReplaceAll(c.text, c.pattern, c.replacement), c.result)
            << c.text << " / " << c.pattern;
}

namespace {

TimeStamp Stamp(int y, int mo, int d, int h, int mi, int s, int ms) {
    TimeStamp t;
    t.time.year = static_cast<std::uint16_t>(y);
    t.time.month = static_cast<std::uint16_t>(mo);
    t.time.day = static_cast<std::uint16_t>(d);
    t.time.hour = static_cast<std::uint16_t>(h);
    t.time.minute = static_cast<std::uint16_t>(mi);
    t.time.second = static_cast<std::uint16_t>(s);
    t.time.milliseconds = static_cast<std::uint16_t>(ms);
    t.unset = false;
    return t;
}

} // namespace

TEST(TimeStampTest, ElapsedMilliseconds) {
    struct Case {
        TimeStamp from, to;
        std::int64_t ms;
    } cases[] = {
        {Stamp(2026, 12, 11, 10, 0, 0, 250), Stamp(2026, 12, 11, 10, 0, 5, 300), 5050},
        {Stamp(2026, 12, 11, 10, 0, 5, 300), Stamp(2026, 12, 11, 10, 0, 0, 250), -5050},
        {Stamp(2026, 12, 31, 23, 59, 59, 900), Stamp(2027, 1, 1, 0, 0, 0, 100), 200},
        {Stamp(2024, 2, 28, 23, 0, 0, 0), Stamp(2024, 3, 1, 0, 0, 0, 0), 25 * 3600 * 1000},
        {Stamp(2025, 2, 28, 23, 0, 0, 0), Stamp(2025, 3, 1, 0, 0, 0, 0), 3600 * 1000},
        {Stamp(1601, 1, 1, 0, 0, 0, 0), Stamp(1601, 1, 1, 0, 0, 0, 1), 1},
        {Stamp(2026, 6, 1, 12, 0, 0, 0), Stamp(2026, 6, 1, 11, 0, 0, 0), -3600 * 1000},
    };
    for (const Case &c : cases)
        EXPECT_EQ(ElapsedMilliseconds(c.from, c.to), c.ms);
}

TEST(TimeStampTest, UnsetOrInvalidStampsCountAsNothingElapsed) {
    TimeStamp unset;
    EXPECT_TRUE(unset.unset);
    EXPECT_EQ(ElapsedMilliseconds(unset, Stamp(2026, 1, 1, 0, 0, 0, 0)), 0);
    // A date that does not exist cannot be converted.
    EXPECT_EQ(ElapsedMilliseconds(Stamp(2026, 1, 1, 0, 0, 0, 0), Stamp(2026, 2, 30, 0, 0, 0, 0)),
              0);
    EXPECT_EQ(ElapsedMilliseconds(Stamp(2026, 1, 1, 0, 0, 0, 0), Stamp(2026, 13, 1, 0, 0, 0, 0)),
              0);
}

TEST(TimeStampTest, NowReadsTheInstalledClock) {
    LocalTime fixed;
    fixed.year = 2030;
    fixed.month = 5;
    fixed.day = 17;
    fixed.hour = 8;
    SetLocalClock([fixed] { return fixed; });
    const TimeStamp now = TimeStamp::Now();
    SetLocalClock(nullptr);
    EXPECT_FALSE(now.unset);
    EXPECT_EQ(now.time.year, 2030);
    EXPECT_EQ(now.time.hour, 8);

    // The real clock gives a valid time that moves forward.
    const TimeStamp a = TimeStamp::Now();
    const TimeStamp b = TimeStamp::Now();
    std::int64_t fileTime = 0;
    EXPECT_TRUE(ToFileTime(a.time, fileTime));
    EXPECT_GE(ElapsedMilliseconds(a, b), 0);
}
