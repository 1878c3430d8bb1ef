// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/engine/EngineHarness.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

using namespace kt;
using namespace kt::test;

TEST(Startup, RunsItsStepsInOrder) {
    Harness h(makeBank(100));
    ASSERT_TRUE(h.e().FormCreate());
    const QStringList expected = {
        "SetTestElementsVisible(0)",
        "SetSettingsVisible(0)",
        "SetStartPanelVisible(1)",
        "SetAbortEnabled(0)",
        "ShowCounter(1)",
        "ShowSettings()",
        "ShowSettings()",
        "ShowCounter(1)",
        "ShowSettings()",
        "ShowItem(" + h.e().state().Set[1].Question + ")",
        QStringLiteral("ShowTitle(Физика)"),
        "SetSettingsMenuEnabled(1)",
        "ShowScore(0,100,0)",
        "ShowScore(0,60,0)",
    };
    EXPECT_EQ(h.display.calls, expected);
    EXPECT_EQ(h.source.loads(), 2); // counted once, drawn once
}

TEST(Startup, LeavesTheStartStateWithADrawnSet) {
    Harness h(makeBank(100));
    ASSERT_TRUE(h.e().FormCreate());
    const TestState& s = h.e().state();
    EXPECT_EQ(h.e().screen(), ScreenState::Start);
    EXPECT_TRUE(s.SetReady);
    EXPECT_EQ(s.QuestionCount, 60);
    EXPECT_EQ(s.MinutesPerQuestion, 2);
    EXPECT_EQ(s.BankSize, 100);
    EXPECT_EQ(s.SubjectName, QStringLiteral("Физика"));
    EXPECT_EQ(s.CurrentIndex, 1);
    EXPECT_EQ(s.RightCount + s.WrongCount + s.SelectedAnswer, 0);
    EXPECT_EQ(s.RangeFrom, 0);
    EXPECT_EQ(s.RangeTo, 100);
    ASSERT_EQ(s.Set.size(), 61u);
    for (size_t i = 1; i < s.Set.size(); ++i) {
        EXPECT_EQ(s.Set[i].State, Pending);
        EXPECT_GE(fixtureNumber(s.Set[i].Question), 1);
    }
    EXPECT_EQ(h.display.item.Question, s.Set[1].Question);
    EXPECT_EQ(h.display.counter, "1");
    EXPECT_FALSE(h.ticker.active);
    EXPECT_EQ(h.e().timeText(), "00:00:00");
    EXPECT_TRUE(h.dialogs.errors.isEmpty());
    EXPECT_FALSE(h.e().settingsOpen());
}

TEST(Startup, SettingsScreenTextsAndLimits) {
    Harness h(makeBank(100));
    ASSERT_TRUE(h.e().FormCreate());
    const SettingsModel& m = h.display.settings; // what the screen was last given
    EXPECT_EQ(m.count.text(), "60");
    EXPECT_EQ(m.time.text(), "2");
    EXPECT_EQ(m.from.text(), "1");
    EXPECT_EQ(m.to.text(), "100");
    EXPECT_EQ(m.bankSizeLine, QStringLiteral("Всего вопросов в базе - 100"));
    EXPECT_EQ(m.count.position(), 60);
    EXPECT_EQ(m.count.upper(), 60);
    EXPECT_EQ(m.time.position(), 2);
    EXPECT_EQ(m.from.position(), 1); // set to 0, raised by the lower limit
    EXPECT_EQ(m.from.upper(), 40);
    EXPECT_EQ(m.to.position(), 100);
    EXPECT_EQ(m.to.upper(), 100);
}

TEST(Startup, ThousandsOfRecordsGivePlainDigitsAtStartup) {
    Harness h(makeBank(1500));
    ASSERT_TRUE(h.e().FormCreate());
    EXPECT_EQ(h.e().settings().to.text(), "1500");
    EXPECT_EQ(h.e().settings().bankSizeLine, QStringLiteral("Всего вопросов в базе - 1500"));
}

TEST(StartupReportFile, CreatedEmptyWhenMissingAndLeftAloneWhenPresent) {
    {
        Harness h(makeBank(100));
        ASSERT_FALSE(QFile::exists(h.reportPath));
        ASSERT_TRUE(h.e().FormCreate());
        EXPECT_TRUE(QFile::exists(h.reportPath));
        EXPECT_EQ(h.reportBytes(), QByteArray());
    }
    Harness h(makeBank(100));
    QFile f(h.reportPath);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("old block\r\n");
    f.close();
    ASSERT_TRUE(h.e().FormCreate());
    EXPECT_EQ(h.reportBytes(), QByteArray("old block\r\n"));
}

TEST(StartupBank, OpenFailureShowsTheConnectionErrorAndEnds) {
    Harness h(makeBank(100));
    h.source.setFailure(QStringLiteral("Field 'Метка' not found"));
    EXPECT_FALSE(h.e().FormCreate());
    ASSERT_EQ(h.dialogs.connectionErrors.size(), 1);
    EXPECT_EQ(h.dialogs.connectionErrors[0],
              QStringLiteral("Ошибка соединения с базой данных  Field 'Метка' not found"));
    EXPECT_TRUE(h.dialogs.errors.isEmpty());
    EXPECT_TRUE(h.display.terminated);
    EXPECT_EQ(h.display.calls.last(), "Terminate()");
    // The report file is created before the bank is touched.
    EXPECT_TRUE(QFile::exists(h.reportPath));
    // Nothing happens any more.
    const int calls = h.display.calls.size();
    h.e().StartTest(QStringLiteral("Иван"));
    h.e().OpenSettings(true);
    h.e().Tick();
    EXPECT_EQ(h.display.calls.size(), calls);
}

// Tests run as root, where a read-only mode does not stop writes; a folder
// that cannot exist (its parent is a regular file) fails for every user.
TEST(StartupReportFile, UncreatableFileOpensTheStartStateWithoutASet) {
    QTemporaryDir dir;
    QFile blocker(dir.filePath(QStringLiteral("plain")));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    Harness h(makeBank(100), dir.filePath(QStringLiteral("plain/TestData.dat")));
    EXPECT_TRUE(h.e().FormCreate());
    ASSERT_EQ(h.dialogs.errors.size(), 1);
    EXPECT_TRUE(h.dialogs.errors[0].contains(QStringLiteral("TestData.dat")));
    EXPECT_TRUE(h.dialogs.errors[0].endsWith('.'));
    EXPECT_EQ(h.source.loads(), 0); // the remaining steps are skipped
    EXPECT_FALSE(h.e().state().SetReady);
    EXPECT_EQ(h.e().screen(), ScreenState::Start);
    EXPECT_TRUE(h.display.startPanel);
    EXPECT_FALSE(h.display.testElements);
    EXPECT_FALSE(h.display.abortEnabled);
    EXPECT_TRUE(h.display.settingsMenu);
    EXPECT_TRUE(h.display.optionsButton);

    h.e().StartTest(QStringLiteral("Иван"));
    EXPECT_EQ(h.e().screen(), ScreenState::Start);
    EXPECT_FALSE(h.ticker.active);
    EXPECT_EQ(h.dialogs.errors.size(), 2);
}

TEST(StartupDraw, TooFewQuestionsLeavesADefinedStartState) {
    Harness h(makeBank(30));
    EXPECT_TRUE(h.e().FormCreate());
    ASSERT_EQ(h.dialogs.errors.size(), 1);
    const QString why = h.dialogs.errors[0];
    EXPECT_TRUE(why.contains(QStringLiteral("вопрос"))) << why.toStdString();
    EXPECT_TRUE(h.dialogs.connectionErrors.isEmpty());
    EXPECT_FALSE(h.display.terminated);
    EXPECT_FALSE(h.e().state().SetReady);
    EXPECT_EQ(h.e().screen(), ScreenState::Start);
    EXPECT_TRUE(h.display.startPanel);
    EXPECT_FALSE(h.display.abortEnabled);
    EXPECT_TRUE(h.display.settingsMenu);
    EXPECT_TRUE(h.display.optionsButton);
    // The bank was read: the settings screen knows its size.
    EXPECT_EQ(h.e().settings().bankSizeLine, QStringLiteral("Всего вопросов в базе - 30"));

    h.e().StartTest(QStringLiteral("Иван"));
    EXPECT_EQ(h.e().screen(), ScreenState::Start);
    EXPECT_FALSE(h.ticker.active);
    ASSERT_EQ(h.dialogs.errors.size(), 2);
    EXPECT_EQ(h.dialogs.errors[1], why); // says why, in Russian
    EXPECT_FALSE(h.display.testElements);
}

TEST(StartupDraw, EmptyBankCannotStartATest) {
    Harness h(makeBank(0));
    EXPECT_TRUE(h.e().FormCreate());
    EXPECT_EQ(h.dialogs.errors.size(), 1);
    EXPECT_FALSE(h.e().state().SetReady);
    h.e().StartTest(QString());
    EXPECT_EQ(h.e().screen(), ScreenState::Start);
    EXPECT_EQ(h.dialogs.errors.size(), 2);
}

TEST(Shutdown, ClosingDuringATestWritesNothing) {
    Harness h(makeBank(100));
    ASSERT_TRUE(h.e().FormCreate());
    h.e().StartTest(QStringLiteral("Иван"));
    h.answerForward(true);
    h.ticks(3);
    h.e().FormClose();
    EXPECT_FALSE(h.ticker.active);
    // A tick or a click that was already on its way changes nothing.
    h.e().Tick();
    h.e().Abort();
    h.e().MoveForward();
    EXPECT_EQ(h.reportBytes(), QByteArray());
    EXPECT_TRUE(h.dialogs.errors.isEmpty());
}

TEST(Shutdown, ClosingWithTheSettingsOpenClosesTheBank) {
    Harness h(makeBank(100));
    ASSERT_TRUE(h.e().FormCreate());
    ASSERT_TRUE(h.e().OpenSettings(true));
    EXPECT_TRUE(h.e().settingsOpen());
    h.e().FormClose();
    EXPECT_FALSE(h.e().settingsOpen());
}
