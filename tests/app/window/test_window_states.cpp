// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/support/WindowHarness.h"

#include "app/BackgroundWidget.h"
#include "ui/ArrowButton.h"
#include "ui/QuestionScreen.h"
#include "ui/ResultPanel.h"
#include "ui/ScoreBar.h"
#include "ui/StartPanel.h"
#include "ui/TextLabel.h"
#include "ui/TimePanel.h"
#include "ui/TitlePanel.h"
#include "ui/ToolStrip.h"
#include "ui/layout/Look.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QTest>

using namespace kt;
using namespace kt::test;

using WindowStates = WindowHarness;

TEST_F(WindowStates, StartupLeavesTheStartState) {
    openWindow();
    ASSERT_TRUE(m_created);
    expectStart();
    EXPECT_TRUE(element<QAction>("settingsMenuItem")->isEnabled());
    EXPECT_TRUE(element<QAction>("optionsAction")->isEnabled());
    EXPECT_TRUE(element<StartPanel>("startPanel")->nameBox()->hasFocus());
    EXPECT_EQ(element<TextLabel>("counter")->rawText(), QStringLiteral("1"));
    EXPECT_EQ(element<TimePanel>("timePanel")->timeLabel()->rawText(), QStringLiteral("00:00:00"));
    EXPECT_EQ(element<ScoreBar>("scoreBar")->open(), 60);
    EXPECT_TRUE(QFile::exists(QStringLiteral("TestData.dat")));
    EXPECT_TRUE(m_dialogs.errors.isEmpty());
}

TEST_F(WindowStates, UnopenableBankEndsBeforeTheWindowIsShown) {
    m_bank = std::make_unique<MemoryBankSource>(makeBank(70));
    m_bank->setFailure(QStringLiteral("нет файла"));
    TForm1 window(WindowDeps{*m_bank, m_seeds, m_clock, m_dialogs});
    EXPECT_FALSE(window.FormCreate());
    EXPECT_FALSE(window.isVisible());
    EXPECT_TRUE(window.terminated());
    ASSERT_EQ(m_dialogs.connectionErrors.size(), 1);
    EXPECT_TRUE(m_dialogs.connectionErrors[0].endsWith(QStringLiteral("нет файла")));
    EXPECT_TRUE(QFile::exists(QStringLiteral("TestData.dat")));
}

TEST_F(WindowStates, StartTestShowsTheQuestionAndRunsTheCountdown) {
    openWindow();
    startTest(QStringLiteral("Петров"));
    expectTesting();
    EXPECT_TRUE(element<StartPanel>("startPanel")->nameBox()->text().isEmpty());
    EXPECT_EQ(element<ResultPanel>("resultPanel")->nameLabel()->rawText(),
              QStringLiteral("Петров"));
    EXPECT_EQ(m_window->ticker().timer().interval(), 1000);
    const QString shown = question()->rawText();
    EXPECT_EQ(shown, m_window->engine().state().Set[1].Question);
    EXPECT_TRUE(shown.startsWith(QStringLiteral("Вопрос ")));
    // The timer is a real one in the window's event loop.
    QTest::qWait(1300);
    EXPECT_EQ(element<TimePanel>("timePanel")->timeLabel()->rawText(), QStringLiteral("1:59:59"));
}

TEST_F(WindowStates, AbortFromStopButtonEnablesSettingsAgain) {
    openWindow();
    startTest(QStringLiteral("A"));
    QTest::mouseClick(element<ToolStrip>("toolStrip")->button(0), Qt::LeftButton);
    expectResult();
    EXPECT_TRUE(element<QAction>("settingsMenuItem")->isEnabled());
    EXPECT_TRUE(element<QAction>("optionsAction")->isEnabled());
    EXPECT_EQ(element<ResultPanel>("resultPanel")->percentLabel()->rawText(),
              QStringLiteral("0 %"));
    EXPECT_TRUE(element<ResultPanel>("resultPanel")->okButton()->hasFocus());
    // Enter on the result panel confirms it.
    QTest::keyClick(m_window.get(), Qt::Key_Return);
    expectStart();
    EXPECT_TRUE(element<StartPanel>("startPanel")->nameBox()->hasFocus());
}

TEST_F(WindowStates, TimeOutKeepsSettingsDisabledUntilConfirmed) {
    openWindow();
    setQuestionCount(1, 1);
    startTest(QStringLiteral("B"));
    for (int i = 0; i < 120 && m_window->ticker().IsActive(); ++i)
        m_window->engine().Tick();
    expectResult();
    EXPECT_EQ(element<TimePanel>("timePanel")->timeLabel()->rawText(), QStringLiteral("0:00:00"));
    EXPECT_FALSE(element<QAction>("settingsMenuItem")->isEnabled());
    EXPECT_FALSE(element<QAction>("optionsAction")->isEnabled());
    QTest::mouseClick(element<ResultPanel>("resultPanel")->okButton(), Qt::LeftButton);
    expectStart();
    EXPECT_TRUE(element<QAction>("settingsMenuItem")->isEnabled());
    EXPECT_TRUE(element<QAction>("optionsAction")->isEnabled());
}

TEST_F(WindowStates, AbortMenuItemAndHelpButton) {
    openWindow();
    startTest(QString());
    QTest::mouseClick(element<ToolStrip>("toolStrip")->button(3),
                      Qt::LeftButton); // Help: nothing
    expectTesting();
    element<QAction>("abortMenuItem")->trigger();
    expectResult();
    // The abort commands are off on the result panel: no second block.
    element<QAction>("stopAction")->trigger();
    EXPECT_EQ(reportLines().size(), 10);
    EXPECT_EQ(reportLines().at(1), QStringLiteral("Студент --- "));
}

TEST_F(WindowStates, ClosingDuringATestWritesNoReport) {
    openWindow();
    startTest(QStringLiteral("C"));
    QTest::mouseClick(answer(1), Qt::LeftButton);
    QTest::mouseClick(element<ArrowButton>("forwardButton"), Qt::LeftButton);
    EXPECT_TRUE(m_window->close());
    EXPECT_FALSE(m_window->ticker().IsActive());
    EXPECT_TRUE(reportBytes().isEmpty());
}

TEST_F(WindowStates, HoverIsClearedOverTheBackgroundPictureOnly) {
    openWindow();
    startTest(QStringLiteral("D"));
    AnswerLabel* a = answer(3);
    QTest::mouseMove(a, QPoint(50, 20));
    ASSERT_EQ(a->textColour(), look::kHotTrack);
    // Over the title or the time panel nothing changes.
    QTest::mouseMove(element<TitlePanel>("titlePanel"), QPoint(20, 40));
    QTest::mouseMove(element<TimePanel>("timePanel"), QPoint(5, 5));
    EXPECT_EQ(a->textColour(), look::kHotTrack);
    // Over the picture itself, below the question area, it turns black.
    QTest::mouseMove(element<BackgroundWidget>("clientArea"), QPoint(100, 520));
    EXPECT_EQ(a->textColour(), look::kBlack);
}
