// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/engine/EngineHarness.h"

#include <gtest/gtest.h>

using namespace kt;
using namespace kt::test;

namespace {

// A started test over a bank of `records`, 60 questions.
struct Started : Harness {
    explicit Started(int records = 100) : Harness(makeBank(records)) {
        EXPECT_TRUE(e().FormCreate());
        display.calls.clear();
        e().StartTest(QStringLiteral("Иван"));
    }
    const TestState& s() { return e().state(); }
};

} // namespace

TEST(StartTest, ShowsTheTestInOrderAndStartsTheCountdown) {
    Harness h(makeBank(100));
    ASSERT_TRUE(h.e().FormCreate());
    h.display.calls.clear();
    h.e().StartTest(QStringLiteral("Петров"));
    const QStringList expected = {
        "SetTestElementsVisible(1)", QStringLiteral("ShowResultName(Петров)"),
        "SetStartPanelVisible(0)",   "SetOptionsButtonEnabled(0)",
        "SetAbortEnabled(1)",        "SetSettingsMenuEnabled(0)",
    };
    EXPECT_EQ(h.display.calls, expected);
    EXPECT_EQ(h.e().screen(), ScreenState::Testing);
    EXPECT_TRUE(h.ticker.active);
    EXPECT_EQ(h.e().state().StudentName, QStringLiteral("Петров"));
    EXPECT_DOUBLE_EQ(h.e().state().TimeLeft, 7200.0 / 86400.0);
    // Starting neither draws nor moves.
    EXPECT_EQ(h.source.loads(), 2);
    EXPECT_EQ(h.e().state().CurrentIndex, 1);
    EXPECT_EQ(h.e().timeText(), "00:00:00"); // untouched until the first tick
}

TEST(StartTest, NameIsCutToFifteenAndForeignCharactersBecomeQuestionMarks) {
    Harness h(makeBank(100));
    ASSERT_TRUE(h.e().FormCreate());
    h.e().StartTest(QStringLiteral("Иван") + QChar(0x4E2D) + QString::fromUtf8("\xF0\x9F\x98\x80") +
                    QStringLiteral("Петров-Водкин"));
    EXPECT_EQ(h.e().state().StudentName, QStringLiteral("Иван??Петров-Во"));
    EXPECT_EQ(h.display.resultName, QStringLiteral("Иван??Петров-Во"));
}

TEST(StartTest, OnlyFromTheStartState) {
    Started t;
    const int starts = t.ticker.starts;
    t.e().StartTest(QStringLiteral("Другой"));
    EXPECT_EQ(t.ticker.starts, starts);
    EXPECT_EQ(t.s().StudentName, QStringLiteral("Иван"));
}

TEST(SelectAnswer, MarksWithoutJudging) {
    Started t;
    t.e().SelectAnswer(2);
    t.e().SelectAnswer(4);
    EXPECT_EQ(t.s().SelectedAnswer, 4);
    EXPECT_EQ(t.display.chosen, 4);
    EXPECT_EQ(t.s().RightCount + t.s().WrongCount, 0);
    EXPECT_EQ(t.display.callsNamed("ShowScore").size(), 0);
    t.e().SelectAnswer(0);
    t.e().SelectAnswer(6);
    EXPECT_EQ(t.s().SelectedAnswer, 4);
}

TEST(Move, RunsItsStepsInOrder) {
    Started t;
    t.display.calls.clear();
    t.choose(true);
    t.e().MoveForward();
    const QStringList expected = {
        "ShowAnswerChosen(" + QString::number(fixtureRightAnswer(t.s().Set[1].Question)) + ")",
        "ClearAnswerBackgrounds()",
        "ShowScore(1,59,0)",
        "ShowCounter(2)",
        "ShowItem(" + t.s().Set[2].Question + ")",
        "ClearAnswerBorders()",
    };
    EXPECT_EQ(t.display.calls, expected);
    EXPECT_EQ(t.s().Set[1].State, Right);
    EXPECT_EQ(t.s().SelectedAnswer, 0);
}

TEST(Move, TheLastChoiceIsJudged) {
    Started t;
    const int right = fixtureRightAnswer(t.display.item.Question);
    const int other = right % 5 + 1;
    t.e().SelectAnswer(right);
    t.e().SelectAnswer(other);
    t.e().MoveForward();
    EXPECT_EQ(t.s().WrongCount, 1);
    EXPECT_EQ(t.s().RightCount, 0);
    EXPECT_EQ(t.s().Set[1].State, Wrong);
    EXPECT_EQ(t.display.scoreWrong, 1);
    EXPECT_EQ(t.display.scoreOpen, 59);
}

TEST(Move, WithoutAChoiceNothingIsJudged) {
    Started t;
    t.display.calls.clear();
    t.e().MoveForward();
    t.e().MoveBack();
    EXPECT_EQ(t.display.callsNamed("ShowScore").size(), 0);
    EXPECT_EQ(t.s().Set[1].State, Pending);
    EXPECT_EQ(t.s().Set[2].State, Pending);
    EXPECT_EQ(t.s().CurrentIndex, 1);
}

TEST(Move, ForwardWrapsFromTheLastSlotAndBackFromTheFirst) {
    Started t;
    t.e().MoveBack();
    EXPECT_EQ(t.s().CurrentIndex, 60);
    EXPECT_EQ(t.display.counter, "60");
    EXPECT_EQ(t.display.item.Question, t.s().Set[60].Question);
    t.e().MoveForward();
    EXPECT_EQ(t.s().CurrentIndex, 1);
    EXPECT_EQ(t.display.counter, "1");
}

TEST(Move, JudgedSlotsAreSkippedInBothDirections) {
    Started t;
    t.answerForward(true);  // 1 judged, now 2
    t.answerForward(false); // 2 judged, now 3
    t.e().MoveBack();       // back over 2 and 1 to 60
    EXPECT_EQ(t.s().CurrentIndex, 60);
    t.answerForward(true); // 60 judged; forward skips 1 and 2
    EXPECT_EQ(t.s().CurrentIndex, 3);
    EXPECT_EQ(t.display.counter, "3");
    t.e().MoveBack(); // back over 2, 1 and 60
    EXPECT_EQ(t.s().CurrentIndex, 59);
}

TEST(Move, ASingleOpenQuestionComesRoundAgain) {
    Started t;
    for (int i = 1; i < 60; ++i)
        t.answerForward(true);
    ASSERT_EQ(t.s().CurrentIndex, 60);
    t.display.calls.clear();
    t.e().MoveForward();
    EXPECT_EQ(t.s().CurrentIndex, 60);
    EXPECT_EQ(t.display.callsNamed("ShowCounter"), QStringList{"ShowCounter(60)"});
    t.e().MoveBack();
    EXPECT_EQ(t.s().CurrentIndex, 60);
    EXPECT_EQ(t.e().screen(), ScreenState::Testing);
}

TEST(Move, JudgingTheLastOpenQuestionCompletesInTheSameMove) {
    Started t;
    for (int i = 1; i < 60; ++i)
        t.answerForward(i % 2 == 0);
    const QString lastQuestion = t.display.item.Question;
    t.display.calls.clear();
    t.answerForward(true);
    EXPECT_EQ(t.e().screen(), ScreenState::Result);
    EXPECT_TRUE(t.display.resultPanel);
    EXPECT_FALSE(t.display.testElements);
    EXPECT_FALSE(t.ticker.active);
    EXPECT_EQ(t.display.resultPercent, "50 %"); // 29 even slots + the last one
    EXPECT_EQ(t.s().CurrentIndex, 1);
    EXPECT_EQ(t.s().RightCount + t.s().WrongCount, 0);
    EXPECT_TRUE(t.s().SetReady);
    for (size_t i = 1; i <= 60; ++i)
        EXPECT_EQ(t.s().Set[i].State, Pending);
    EXPECT_EQ(t.display.item.Question, t.s().Set[1].Question);
    EXPECT_EQ(t.display.counter, "1");
    EXPECT_EQ(t.display.calls.last(), "ClearAnswerBorders()"); // the move's last step
    EXPECT_EQ(t.display.scoreOpen, 60);
    EXPECT_EQ(t.source.loads(), 3); // a fresh draw
    EXPECT_NE(lastQuestion, QString());
}

TEST(Move, RightAnswerOutsideOneToFiveIsAlwaysWrong) {
    BankTable bank = makeBank(60);
    for (size_t i = 0; i < bank.size(); ++i)
        bank[i].text[FieldRightAnswer] = i % 2 ? QStringLiteral("0") : QStringLiteral("6");
    Harness h(bank);
    ASSERT_TRUE(h.e().FormCreate());
    h.e().StartTest(QString());
    for (int i = 0; i < 30; ++i) {
        h.e().SelectAnswer(i % 5 + 1);
        h.e().MoveForward();
    }
    EXPECT_EQ(h.e().state().RightCount, 0);
    EXPECT_EQ(h.e().state().WrongCount, 30);
}

TEST(Move, IgnoredOutsideATest) {
    Harness h(makeBank(100));
    ASSERT_TRUE(h.e().FormCreate());
    h.display.calls.clear();
    h.e().SelectAnswer(3);
    h.e().MoveForward();
    h.e().MoveBack();
    EXPECT_TRUE(h.display.calls.isEmpty());
    EXPECT_EQ(h.e().state().CurrentIndex, 1);
}

TEST(BackToStart, ReturnsFromTheResultInOrder) {
    Started t;
    t.e().Abort();
    t.display.calls.clear();
    t.e().BackToStart();
    const QStringList expected = {
        "SetTestElementsVisible(0)", "SetSettingsMenuEnabled(1)", "SetOptionsButtonEnabled(1)",
        "SetStartPanelVisible(1)",   "SetAbortEnabled(0)",        "SetResultPanelVisible(0)",
    };
    EXPECT_EQ(t.display.calls, expected);
    EXPECT_EQ(t.e().screen(), ScreenState::Start);
    t.display.calls.clear();
    t.e().BackToStart(); // only from the result state
    EXPECT_TRUE(t.display.calls.isEmpty());
}
