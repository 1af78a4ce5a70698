#include "scores/ScoreTable.h"
#include "scores/ScoreTicker.h"
#include "tests/scores/ScoreFolderFixture.h"
#include "toolkit/core/TimeStamp.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace VeRize::Testing {
namespace {

using OrvoUtility::LocalTime;
using OrvoUtility::NarrowText;

const std::int64_t kTick = 30; // the game's timer period in milliseconds

// A local time that many milliseconds after 11 December 2026, 10:00:00.000
// (less than a day either way).
LocalTime At(std::int64_t ms) {
    const std::int64_t total = 10 * 3600000LL + ms;
    LocalTime t;
    t.year = 2026;
    t.month = 12;
    t.day = 11;
    t.dayOfWeek = 5;
    t.hour = static_cast<std::uint16_t>(total / 3600000);
    t.minute = static_cast<std::uint16_t>(total / 60000 % 60);
    t.second = static_cast<std::uint16_t>(total / 1000 % 60);
    t.milliseconds = static_cast<std::uint16_t>(total % 1000);
    return t;
}

struct Change {
    std::int64_t at;
    NarrowText text;
};

// The ticker driven by a fake clock, as the main window drives it.
class TickerTest : public ScoreFolderTest {
protected:
    void SetUp() override {
        ScoreFolderTest::SetUp();
        OrvoUtility::SetLocalClock([this] { return At(now); });
    }
    void TearDown() override {
        OrvoUtility::SetLocalClock({});
        ScoreFolderTest::TearDown();
    }

    void Tick() {
        AdvanceScoreTicker(ticker, lines, [this](const NarrowText &text) {
            changes.push_back({now, text});
        });
    }

    // Ticks every 30 ms until `ms` more milliseconds have passed.
    void RunFor(std::int64_t ms) {
        for (const std::int64_t end = now + ms; now < end;) {
            now += kTick;
            Tick();
        }
    }

    // Runs until the next change of the ticker line and returns its text.
    NarrowText NextChange() {
        const std::size_t before = changes.size();
        for (int i = 0; i < 1000 && changes.size() == before; ++i) {
            now += kTick;
            Tick();
        }
        return changes.size() > before ? changes.back().text : "(no change)";
    }

    std::vector<NarrowText> Texts() const {
        std::vector<NarrowText> texts;
        for (const Change &c : changes)
            texts.push_back(c.text);
        return texts;
    }

    std::int64_t now = 0;
    ScoreTicker ticker;
    TextLines lines;
    std::vector<Change> changes;
};

TEST_F(TickerTest, ThreeLinesThenBlankThenAgain) {
    lines = {"00001250 ANNA         Livello 3", "00000980 MARCO        Livello 2",
             "00000100 LUCA         Livello 1"};
    Tick();
    RunFor(25500);
    EXPECT_EQ(Texts(), (std::vector<NarrowText>{
                           "Classifica: 1\xB0 Punteggio 00001250 ANNA         Livello 3",
                           "Classifica: 2\xB0 Punteggio 00000980 MARCO        Livello 2",
                           "Classifica: 3\xB0 Punteggio 00000100 LUCA         Livello 1",
                           "",
                           "Classifica: 1\xB0 Punteggio 00001250 ANNA         Livello 3",
                       }));
    std::int64_t previous = 0;
    for (const Change &c : changes) {
        EXPECT_GT(c.at - previous, 5000);
        EXPECT_LT(c.at - previous, 5000 + 2 * kTick);
        previous = c.at;
    }
}

TEST_F(TickerTest, OneLineAlternatesWithBlank) {
    lines = {"00000007 X"};
    Tick();
    RunFor(20400);
    EXPECT_EQ(Texts(), (std::vector<NarrowText>{"Classifica: 1\xB0 Punteggio 00000007 X", "",
                                                "Classifica: 1\xB0 Punteggio 00000007 X", ""}));
}

TEST_F(TickerTest, NoLinesNeverChangesTheText) {
    Tick();
    RunFor(60000);
    EXPECT_TRUE(changes.empty());
    // The stamp still moves on, so lines loaded later show within five seconds.
    lines = {"00000007 X"};
    const std::int64_t loaded = now;
    EXPECT_EQ(NextChange(), "Classifica: 1\xB0 Punteggio 00000007 X");
    EXPECT_LE(now - loaded, 5000 + kTick);
}

TEST_F(TickerTest, ChangesOnlyAfterMoreThanFiveSeconds) {
    lines = {"00000007 X"};
    now = 100000; // the program has been running a while before its first tick
    Tick();
    now += 5000;
    Tick();
    EXPECT_TRUE(changes.empty());
    now += 1;
    Tick();
    EXPECT_EQ(Texts(), std::vector<NarrowText>{"Classifica: 1\xB0 Punteggio 00000007 X"});
}

TEST_F(TickerTest, RankTenInFull) {
    for (int i = 10; i >= 1; --i)
        lines.push_back(EntryLine(i * 100, PlayerEntryText("P", 1)));
    Tick();
    for (int step = 0; step < 9; ++step)
        NextChange();
    EXPECT_EQ(NextChange(), "Classifica: 10\xB0 Punteggio 00000100 P            Livello 1");
    EXPECT_EQ(NextChange(), "");
}

TEST_F(TickerTest, ReloadPushesRankSevenToEight) {
    for (int score = 100; score <= 1000; score += 100)
        ASSERT_TRUE(ScoreTable("Corvanta").Add(score, PlayerEntryText("P", score / 100)));
    lines = ScoreTable("Corvanta").Load();
    const NarrowText formerSeventh = lines[6];
    Tick();
    for (int step = 0; step < 6; ++step)
        NextChange();
    EXPECT_EQ(NextChange(), "Classifica: 7\xB0 Punteggio " + formerSeventh);

    ASSERT_TRUE(ScoreTable("Corvanta").Add(850, PlayerEntryText("NUOVO", 4)));
    lines = ScoreTable("Corvanta").Load();
    ASSERT_EQ(lines[2], "00000850 NUOVO        Livello 4");
    EXPECT_EQ(NextChange(), "Classifica: 8\xB0 Punteggio " + formerSeventh);
}

TEST_F(TickerTest, ReloadWithFewerLinesBlanksOnceAndRestarts) {
    lines = {"00000500 A", "00000400 B", "00000300 C", "00000200 D"};
    Tick();
    for (int step = 0; step < 3; ++step)
        NextChange();
    lines = {"00000900 Z"};
    EXPECT_EQ(NextChange(), "");
    EXPECT_EQ(NextChange(), "Classifica: 1\xB0 Punteggio 00000900 Z");
}

TEST_F(TickerTest, ClockSetBackResumesWithinFiveSeconds) {
    lines = {"00000500 A", "00000400 B"};
    Tick();
    EXPECT_EQ(NextChange(), "Classifica: 1\xB0 Punteggio 00000500 A");
    const std::int64_t setBack = now - 3600000; // an hour back
    now = setBack;
    EXPECT_EQ(NextChange(), "Classifica: 2\xB0 Punteggio 00000400 B");
    EXPECT_GT(now - setBack, 5000);
    EXPECT_LE(now - setBack, 5000 + 2 * kTick);
}

} // namespace
} // namespace VeRize::Testing
