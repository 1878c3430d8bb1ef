// SPDX-License-Identifier: GPL-3.0-or-later
#include "bank/Cp1251.h"
#include "tests/engine/EngineHarness.h"

#include <gtest/gtest.h>

using namespace kt;
using namespace kt::test;

namespace {

const QString nbsp(QChar(0x00A0));

struct Open : Harness {
    explicit Open(BankTable bank) : Harness(std::move(bank)) {
        EXPECT_TRUE(e().FormCreate());
        EXPECT_TRUE(e().OpenSettings(true));
    }
    explicit Open(int records = 100) : Open(makeBank(records)) {}
    const SettingsModel& m() { return e().settings(); }
};

} // namespace

TEST(OpenSettings, OpensTheBankAndShowsTheScreen) {
    Harness h(makeBank(100));
    ASSERT_TRUE(h.e().FormCreate());
    h.display.calls.clear();
    ASSERT_TRUE(h.e().OpenSettings(true));
    const QStringList expected = {"ShowSettings()", "SetSettingsVisible(1)", "SetAbortEnabled(0)",
                                  "SetAboutVisible(0)", "SetReportViewerVisible(0)"};
    EXPECT_EQ(h.display.calls, expected);
    EXPECT_TRUE(h.e().settingsOpen());
    EXPECT_EQ(h.e().bank().records().size(), 100u);
}

TEST(OpenSettings, TheOptionsButtonLeavesTheOtherPanelsAlone) {
    Harness h(makeBank(100));
    ASSERT_TRUE(h.e().FormCreate());
    h.display.calls.clear();
    ASSERT_TRUE(h.e().OpenSettings(false));
    EXPECT_EQ(h.display.callsNamed("SetAboutVisible").size(), 0);
    EXPECT_EQ(h.display.callsNamed("SetReportViewerVisible").size(), 0);
}

TEST(OpenSettings, AFailedOpenShowsTheErrorAndLeavesTheScreenClosed) {
    Harness h(makeBank(100));
    ASSERT_TRUE(h.e().FormCreate());
    h.source.setFailure(QStringLiteral("Table 'Таблица1' not found"));
    h.display.calls.clear();
    EXPECT_FALSE(h.e().OpenSettings(true));
    EXPECT_EQ(h.dialogs.errors, QStringList{QStringLiteral("Table 'Таблица1' not found.")});
    EXPECT_TRUE(h.dialogs.connectionErrors.isEmpty());
    EXPECT_FALSE(h.display.terminated);
    EXPECT_TRUE(h.display.calls.isEmpty());
    EXPECT_FALSE(h.e().settingsOpen());
}

TEST(OpenSettings, NotDuringATestAndNoTestUnderIt) {
    Harness h(makeBank(100));
    ASSERT_TRUE(h.e().FormCreate());
    h.e().StartTest(QString());
    EXPECT_FALSE(h.e().OpenSettings(true));
    h.e().Abort();
    h.e().BackToStart();
    ASSERT_TRUE(h.e().OpenSettings(true));
    h.e().StartTest(QString()); // Enter on the start panel beneath the screen
    EXPECT_EQ(h.e().screen(), ScreenState::Start);
    EXPECT_FALSE(h.ticker.active);
}

TEST(SettingsArrows, FromStopsAtThirtyFiveAndTheClickToThirtySixSetsThirtyFour) {
    Open h;
    h.clicks(&TestEngine::FromArrow, +1, 34);
    EXPECT_EQ(h.m().from.position(), 35);
    EXPECT_EQ(h.m().from.text(), "35");
    h.e().FromArrow(+1);
    EXPECT_EQ(h.m().from.position(), 34);
    EXPECT_EQ(h.m().from.text(), "34");
    EXPECT_EQ(h.display.settings.from.text(), "34"); // the screen follows
}

TEST(SettingsArrows, ToIsKeptAboveFromPlusCountPlusFive) {
    Open h;
    h.clicks(&TestEngine::ToArrow, -1, 34);
    EXPECT_EQ(h.m().to.position(), 66);
    h.e().ToArrow(-1);
    EXPECT_EQ(h.m().to.position(), 66);
    EXPECT_EQ(h.m().to.text(), "66");
    h.e().ToArrow(+1);
    EXPECT_EQ(h.m().to.position(), 67);
}

TEST(SettingsArrows, CountStopsAtToMinusFromMinusFive) {
    Open h;
    h.clicks(&TestEngine::CountArrow, -1, 20);
    EXPECT_EQ(h.e().state().QuestionCount, 40);
    h.clicks(&TestEngine::ToArrow, -1, 60); // to cannot go below 1 + 40 + 5
    EXPECT_EQ(h.m().to.position(), 46);
    h.e().CountArrow(+1);
    EXPECT_EQ(h.m().count.position(), 40);
    EXPECT_EQ(h.m().count.text(), "40");
    EXPECT_EQ(h.e().state().QuestionCount, 40);
}

TEST(SettingsArrows, CountAndTimeClicksTakeTheValuesAndNarrowTheFromLimit) {
    Open h;
    EXPECT_EQ(h.m().from.upper(), 40); // after the draw: BankSize - QuestionCount
    h.e().CountArrow(-1);
    EXPECT_EQ(h.e().state().QuestionCount, 59);
    EXPECT_EQ(h.m().count.text(), "59");
    EXPECT_EQ(h.m().from.upper(), 100 - 59 - 1);
    EXPECT_EQ(h.m().to.upper(), 100);
    h.e().TimeArrow(+1);
    EXPECT_EQ(h.e().state().MinutesPerQuestion, 3);
    EXPECT_EQ(h.m().time.text(), "3");
    h.e().TimeArrow(+1);
    EXPECT_EQ(h.e().state().MinutesPerQuestion, 3); // no wrap-around
    EXPECT_EQ(h.m().from.upper(), 40);
}

TEST(SettingsArrows, IgnoredWhileTheScreenIsClosed) {
    Harness h(makeBank(100));
    ASSERT_TRUE(h.e().FormCreate());
    h.e().CountArrow(-1);
    h.e().FromArrow(+1);
    h.e().ApplySettings();
    EXPECT_EQ(h.e().settings().count.text(), "60");
    EXPECT_EQ(h.e().settings().from.text(), "1");
    EXPECT_EQ(h.source.loads(), 2);
}

TEST(ApplySettings, WithoutChangesDrawsANewSetInOrder) {
    Open h;
    const QString before = h.e().state().Set[1].Question;
    h.display.calls.clear();
    h.e().ApplySettings();
    EXPECT_FALSE(h.e().settingsOpen());
    const QString first = h.e().state().Set[1].Question;
    const QStringList expected = {"ShowCounter(1)", "ShowSettings()", "ShowItem(" + first + ")",
                                  "ShowScore(0,60,0)", "SetSettingsVisible(0)"};
    EXPECT_EQ(h.display.calls, expected);
    EXPECT_NE(first, before); // the seeds moved on: a new draw
    EXPECT_EQ(h.source.loads(), 4);
    EXPECT_EQ(h.e().state().RangeFrom, 0);
    EXPECT_EQ(h.e().state().RangeTo, 100);
}

TEST(ApplySettings, TakesTheRangeFromThePositions) {
    Open h;
    h.clicks(&TestEngine::CountArrow, -1, 50); // 10 questions
    h.clicks(&TestEngine::FromArrow, +1, 19);  // from record 20
    h.clicks(&TestEngine::ToArrow, -1, 60);    // to record 40
    h.e().ApplySettings();
    EXPECT_EQ(h.e().state().RangeFrom, 19);
    EXPECT_EQ(h.e().state().RangeTo, 40);
    ASSERT_EQ(h.e().state().Set.size(), 11u);
    for (size_t i = 1; i <= 10; ++i) {
        const int n = fixtureNumber(h.e().state().Set[i].Question);
        EXPECT_GE(n, 20);
        EXPECT_LE(n, 40);
    }
    EXPECT_EQ(h.m().from.upper(), 90); // refreshed by the draw
}

TEST(ApplySettings, ReportCopiesTheScreenTextsWithTheirSeparators) {
    Open h(1500);
    h.e().ToArrow(-1);
    h.e().FromArrow(+1);
    h.e().TimeArrow(-1);
    EXPECT_EQ(h.m().to.text(), "1" + nbsp + "499");
    h.e().ApplySettings();
    h.e().StartTest(QString());
    h.e().Abort();
    const QByteArray bytes = h.reportBytes();
    EXPECT_TRUE(
        bytes.contains(encodeCp1251(QStringLiteral("Колличество вопросов в тесте --- 60\r\n"))));
    EXPECT_TRUE(bytes.contains(encodeCp1251(QStringLiteral("диапазона от --- 2  до  --- "))));
    EXPECT_TRUE(bytes.contains("--- 1\xA0"
                               "499\r\n"));
    EXPECT_TRUE(bytes.contains(
        encodeCp1251(QStringLiteral("Выделяемое время на один вопрос --- 1 мин\r\n"))));
    EXPECT_TRUE(bytes.contains(encodeCp1251(QStringLiteral("Всего вопросов в базе - 1500\r\n"))));
}

TEST(ApplySettings, AFailedDrawLeavesTheSettingsReachable) {
    BankTable bank = makeBank(100);
    for (size_t i = 0; i < bank.size(); ++i)
        bank[i].text[FieldQuestion] = QStringLiteral("Вопрос %1").arg(i % 50 + 1);
    Harness h(bank);
    ASSERT_TRUE(h.e().FormCreate()); // 50 distinct texts for 60 questions
    ASSERT_EQ(h.dialogs.errors.size(), 1);
    ASSERT_TRUE(h.e().OpenSettings(true));
    h.e().ApplySettings();
    EXPECT_EQ(h.dialogs.errors.size(), 2);
    EXPECT_FALSE(h.e().state().SetReady);
    EXPECT_FALSE(h.display.settingsVisible);
    EXPECT_FALSE(h.e().settingsOpen());
    EXPECT_TRUE(h.display.settingsMenu);
    h.e().StartTest(QString());
    EXPECT_EQ(h.e().screen(), ScreenState::Start);
    EXPECT_EQ(h.dialogs.errors.size(), 3);

    ASSERT_TRUE(h.e().OpenSettings(true));
    h.clicks(&TestEngine::CountArrow, -1, 20);
    h.e().ApplySettings();
    EXPECT_TRUE(h.e().state().SetReady);
    EXPECT_EQ(h.dialogs.errors.size(), 3);
    h.e().StartTest(QString());
    EXPECT_EQ(h.e().screen(), ScreenState::Testing);
}

TEST(ApplySettings, ASmallBankBecomesUsableThroughTheCount) {
    Harness h(makeBank(30));
    ASSERT_TRUE(h.e().FormCreate());
    ASSERT_FALSE(h.e().state().SetReady);
    ASSERT_TRUE(h.e().OpenSettings(true));
    h.e().CountArrow(-1); // held at to - from - 5
    EXPECT_EQ(h.e().state().QuestionCount, 24);
    h.e().ApplySettings();
    EXPECT_TRUE(h.e().state().SetReady);
    h.e().StartTest(QString());
    EXPECT_EQ(h.e().screen(), ScreenState::Testing);
    EXPECT_DOUBLE_EQ(h.e().state().TimeLeft, 48.0 / (24 * 60));
}

TEST(ApplySettings, ALostBankEndsTheProgram) {
    Open h;
    h.source.setFailure(QStringLiteral("gone"));
    h.e().ApplySettings();
    EXPECT_EQ(h.dialogs.connectionErrors,
              QStringList{QStringLiteral("Ошибка соединения с базой данных  gone")});
    EXPECT_TRUE(h.display.terminated);
}
