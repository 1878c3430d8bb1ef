// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/engine/EngineHarness.h"

#include <gtest/gtest.h>

using namespace kt;
using namespace kt::test;

namespace {

int countBlocks(const QByteArray& report) {
    return report.count("\r\n \r\n") + (report.startsWith(" \r\n") ? 1 : 0);
}

// Sets the count and the minutes through the settings screen's arrows.
void configure(Harness& h, int count, int minutes) {
    ASSERT_TRUE(h.e().OpenSettings(false));
    h.clicks(&TestEngine::CountArrow, -1, 60 - count);
    h.clicks(&TestEngine::TimeArrow, minutes > 2 ? +1 : -1, minutes == 2 ? 0 : 1);
    h.e().ApplySettings();
    ASSERT_EQ(h.e().state().QuestionCount, count);
    ASSERT_EQ(h.e().state().MinutesPerQuestion, minutes);
}

} // namespace

TEST(Countdown, SixtyQuestionsAtTwoMinutesEndAfter7200Ticks) {
    Harness h(makeBank(100));
    ASSERT_TRUE(h.e().FormCreate());
    h.e().StartTest(QStringLiteral("Иван"));
    h.e().Tick();
    EXPECT_EQ(h.display.timeLeft, "1:59:59");
    h.ticks(7198);
    EXPECT_EQ(h.display.timeLeft, "0:00:01");
    EXPECT_EQ(h.e().screen(), ScreenState::Testing);
    EXPECT_TRUE(h.ticker.active);
    h.e().Tick();
    EXPECT_EQ(h.display.timeLeft, "0:00:00");
    EXPECT_EQ(h.e().screen(), ScreenState::Result);
    EXPECT_FALSE(h.ticker.active);
    EXPECT_EQ(h.display.resultPercent, "0 %");
    EXPECT_EQ(countBlocks(h.reportBytes()), 1);
    EXPECT_EQ(h.display.callsNamed("ShowTimeLeft").size(), 7200);
}

TEST(Countdown, OneQuestionAtOneMinuteEndsAfter60Ticks) {
    Harness h(makeBank(100));
    ASSERT_TRUE(h.e().FormCreate());
    configure(h, 1, 1);
    h.e().StartTest(QString());
    h.ticks(59);
    EXPECT_EQ(h.display.timeLeft, "0:00:01");
    EXPECT_EQ(h.e().screen(), ScreenState::Testing);
    h.e().Tick();
    EXPECT_EQ(h.e().screen(), ScreenState::Result);
    EXPECT_EQ(h.display.timeLeft, "0:00:00");
}

TEST(Countdown, ThreeHoursIsTheLongestBudget) {
    Harness h(makeBank(100));
    ASSERT_TRUE(h.e().FormCreate());
    configure(h, 60, 3);
    h.e().StartTest(QString());
    EXPECT_DOUBLE_EQ(h.e().state().TimeLeft, 3.0 / 24.0);
    h.e().Tick();
    EXPECT_EQ(h.display.timeLeft, "2:59:59");
    h.ticks(3 * 3600 - 2);
    EXPECT_EQ(h.e().screen(), ScreenState::Testing);
    h.e().Tick();
    EXPECT_EQ(h.e().screen(), ScreenState::Result);
}

TEST(Countdown, TheTimeTextStaysUntilTheFirstTickOfTheNextTest) {
    Harness h(makeBank(100));
    ASSERT_TRUE(h.e().FormCreate());
    h.e().StartTest(QString());
    h.ticks(5);
    h.e().Abort();
    EXPECT_EQ(h.e().timeText(), "1:59:55");
    h.e().BackToStart();
    h.e().StartTest(QString());
    EXPECT_EQ(h.e().timeText(), "1:59:55");
    EXPECT_EQ(h.display.timeLeft, "1:59:55");
    h.e().Tick();
    EXPECT_EQ(h.display.timeLeft, "1:59:59");
}

TEST(Countdown, AnsweringEverythingStopsItForGood) {
    Harness h(makeBank(100));
    ASSERT_TRUE(h.e().FormCreate());
    configure(h, 1, 1);
    h.e().StartTest(QString());
    h.ticks(10);
    h.answerForward(true);
    EXPECT_EQ(h.e().screen(), ScreenState::Result);
    EXPECT_FALSE(h.ticker.active);
    const QByteArray report = h.reportBytes();
    EXPECT_EQ(countBlocks(report), 1);
    // Ticks that still arrive cannot complete the test a second time.
    h.ticks(100);
    EXPECT_EQ(h.reportBytes(), report);
    EXPECT_EQ(h.display.timeLeft, "0:00:50");
    EXPECT_FALSE(h.ticker.active);
}

TEST(Countdown, ATimeOutStopsTheOtherRoutes) {
    Harness h(makeBank(100));
    ASSERT_TRUE(h.e().FormCreate());
    configure(h, 1, 1);
    h.e().StartTest(QString());
    h.choose(true);
    h.ticks(60);
    ASSERT_EQ(h.e().screen(), ScreenState::Result);
    const QByteArray report = h.reportBytes();
    h.e().MoveForward();
    h.e().Abort();
    EXPECT_EQ(h.reportBytes(), report);
    EXPECT_EQ(h.display.resultPercent, "0 %"); // a choice not followed by a move is not counted
    // Back at the start, the settings are open to the teacher again.
    h.e().BackToStart();
    EXPECT_TRUE(h.display.settingsMenu);
    EXPECT_TRUE(h.display.optionsButton);
}

TEST(Countdown, TimeOutLeavesTheSettingsCommandsDisabledOnTheResult) {
    Harness h(makeBank(100));
    ASSERT_TRUE(h.e().FormCreate());
    configure(h, 1, 1);
    h.e().StartTest(QString());
    h.ticks(60);
    EXPECT_FALSE(h.display.settingsMenu);
    EXPECT_FALSE(h.display.optionsButton);
}
