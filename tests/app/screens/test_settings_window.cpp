// SPDX-License-Identifier: GPL-3.0-or-later
// The settings screen driven through the window: the arrows' corrections,
// OK, Enter, the two ways of opening it and a bank that cannot be opened.
#include "tests/support/WindowHarness.h"

#include "app/MessageDialogs.h"
#include "ui/AboutPanel.h"
#include "ui/BankGrid.h"
#include "ui/BankGridModel.h"
#include "ui/QuestionScreen.h"
#include "ui/ReportViewer.h"
#include "ui/ScoreBar.h"
#include "ui/SettingsScreen.h"
#include "ui/StartPanel.h"
#include "ui/TextLabel.h"
#include "ui/TimePanel.h"
#include "ui/ToolStrip.h"
#include "ui/UpDown.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

using namespace kt;
using namespace kt::test;

namespace {

QString valueText(UpDown* control) {
    return control->valueLabel()->text();
}

QStringList drawnQuestions(const TestState& state) {
    QStringList questions;
    for (int i = 1; i <= state.QuestionCount; ++i)
        questions << state.Set[static_cast<std::size_t>(i)].Question;
    return questions;
}

} // namespace

using SettingsWindow = WindowHarness;

TEST_F(SettingsWindow, FromArrowsStopAtThirtyFiveAndTheClickToThirtySixSetsThirtyFour) {
    openWindow(100);
    clickOptions();
    SettingsScreen* s = element<SettingsScreen>("settingsScreen");
    ASSERT_TRUE(s->isVisible());
    EXPECT_EQ(valueText(s->countControl()), QStringLiteral("60"));
    EXPECT_EQ(valueText(s->toControl()), QStringLiteral("100"));
    EXPECT_EQ(valueText(s->fromControl()), QStringLiteral("1"));
    for (int from = 2; from <= 35; ++from) {
        clickArrow(s->fromControl(), +1);
        ASSERT_EQ(s->fromControl()->position(), from);
        ASSERT_EQ(valueText(s->fromControl()), QString::number(from));
    }
    clickArrow(s->fromControl(), +1);
    EXPECT_EQ(s->fromControl()->position(), 34);
    EXPECT_EQ(valueText(s->fromControl()), QStringLiteral("34"));
    // The down arrow is not corrected.
    clickArrow(s->fromControl(), -1);
    EXPECT_EQ(valueText(s->fromControl()), QStringLiteral("33"));
}

TEST_F(SettingsWindow, RaisingTheCountStopsAtToMinusFromMinusFive) {
    openWindow(100);
    clickOptions();
    SettingsScreen* s = element<SettingsScreen>("settingsScreen");
    clickArrow(s->countControl(), -1, 20);
    clickArrow(s->toControl(), -1, 20);
    clickArrow(s->fromControl(), +1, 29);
    ASSERT_EQ(valueText(s->countControl()), QStringLiteral("40"));
    ASSERT_EQ(valueText(s->toControl()), QStringLiteral("80"));
    ASSERT_EQ(valueText(s->fromControl()), QStringLiteral("30"));
    for (int count = 41; count <= 45; ++count) {
        clickArrow(s->countControl(), +1);
        ASSERT_EQ(valueText(s->countControl()), QString::number(count));
    }
    clickArrow(s->countControl(), +1, 3);
    EXPECT_EQ(s->countControl()->position(), 45);
    EXPECT_EQ(valueText(s->countControl()), QStringLiteral("45"));
    EXPECT_EQ(m_window->engine().state().QuestionCount, 45);
    // A count click sets the first record's upper limit one below the
    // generation's: 100 - 45 - 1.
    EXPECT_EQ(s->fromControl()->upper(), 54);
}

TEST_F(SettingsWindow, InASmallBankTheFirstCountClickLandsOnTheWidestCount) {
    // 64 records from 1 to 64 hold at most 64 - 1 - 5 = 58 questions.
    openWindow(64);
    clickOptions();
    SettingsScreen* s = element<SettingsScreen>("settingsScreen");
    clickArrow(s->countControl(), -1);
    EXPECT_EQ(valueText(s->countControl()), QStringLiteral("58"));
    clickArrow(s->countControl(), -1);
    EXPECT_EQ(valueText(s->countControl()), QStringLiteral("57"));
    clickArrow(s->countControl(), +1, 3);
    EXPECT_EQ(valueText(s->countControl()), QStringLiteral("58"));
}

TEST_F(SettingsWindow, OkWithoutChangesDrawsANewSetAndShowsItsFirstQuestion) {
    openWindow(100);
    const QStringList before = drawnQuestions(m_window->engine().state());
    const int loads = m_bank->loads();
    element<QAction>("settingsMenuItem")->trigger();
    ASSERT_TRUE(element<SettingsScreen>("settingsScreen")->isVisible());
    clickSettingsOk();
    EXPECT_FALSE(element<SettingsScreen>("settingsScreen")->isVisible());
    // Open reads the bank once, the draw once more.
    EXPECT_EQ(m_bank->loads(), loads + 2);
    const TestState& state = m_window->engine().state();
    const QStringList after = drawnQuestions(state);
    EXPECT_EQ(after.size(), 60);
    EXPECT_NE(after, before);
    EXPECT_EQ(question()->rawText(), after.front());
    EXPECT_EQ(element<TextLabel>("counter")->rawText(), QStringLiteral("1"));
    EXPECT_EQ(element<ScoreBar>("scoreBar")->open(), 60);
    // The test that follows shows that question.
    startTest(QStringLiteral("Ivan"));
    EXPECT_EQ(question()->rawText(), after.front());
    EXPECT_TRUE(question()->isVisible());
}

TEST_F(SettingsWindow, WhileShownAbortIsOffAndTheGridListsTheBank) {
    openWindow(100);
    // Reached from the result panel of an aborted test too.
    startTest(QStringLiteral("Olga"));
    click(element<ToolStrip>("toolStrip")->button(0));
    ASSERT_TRUE(element<QAction>("optionsAction")->isEnabled());
    clickOptions();
    SettingsScreen* s = element<SettingsScreen>("settingsScreen");
    ASSERT_TRUE(s->isVisible());
    EXPECT_FALSE(element<QAction>("abortMenuItem")->isEnabled());
    EXPECT_FALSE(element<QAction>("stopAction")->isEnabled());
    const QAbstractItemModel* grid = s->grid()->model();
    ASSERT_EQ(grid->rowCount(), 100);
    EXPECT_EQ(grid->data(grid->index(0, 1)).toString(), QStringLiteral("Вопрос 1"));
    EXPECT_EQ(grid->data(grid->index(99, 0)).toString(), QStringLiteral("100"));
    EXPECT_EQ(grid->data(grid->index(99, 1)).toString(), QStringLiteral("Вопрос 100"));
    EXPECT_TRUE(m_window->engine().settingsOpen());
    clickSettingsOk();
    EXPECT_EQ(grid->rowCount(), 0);
    EXPECT_FALSE(m_window->engine().settingsOpen());
    EXPECT_FALSE(element<QAction>("abortMenuItem")->isEnabled());
    EXPECT_FALSE(element<QAction>("stopAction")->isEnabled());
}

TEST_F(SettingsWindow, MenuRouteHidesViewerAndAboutOptionsRouteDoesNot) {
    openWindow(70);
    element<QAction>("reportMenuItem")->trigger();
    ASSERT_TRUE(element<ReportViewer>("reportViewer")->isVisible());
    element<QAction>("settingsMenuItem")->trigger();
    SettingsScreen* s = element<SettingsScreen>("settingsScreen");
    EXPECT_TRUE(s->isVisible());
    EXPECT_FALSE(element<ReportViewer>("reportViewer")->isVisible());
    clickSettingsOk();

    element<QAction>("aboutMenuItem")->trigger();
    ASSERT_TRUE(element<AboutPanel>("aboutPanel")->isVisible());
    element<QAction>("settingsMenuItem")->trigger();
    EXPECT_TRUE(s->isVisible());
    EXPECT_FALSE(element<AboutPanel>("aboutPanel")->isVisible());
    clickSettingsOk();

    element<QAction>("reportMenuItem")->trigger();
    clickOptions();
    EXPECT_TRUE(s->isVisible());
    EXPECT_TRUE(element<ReportViewer>("reportViewer")->isVisible());
    clickSettingsOk();
    EXPECT_TRUE(element<ReportViewer>("reportViewer")->isVisible());

    element<QAction>("aboutMenuItem")->trigger();
    clickOptions();
    EXPECT_TRUE(s->isVisible());
    EXPECT_TRUE(element<AboutPanel>("aboutPanel")->isVisible());
}

TEST_F(SettingsWindow, ViewerAndAboutOverTheScreenLeaveItAsItWas) {
    openWindow(100);
    clickOptions();
    SettingsScreen* s = element<SettingsScreen>("settingsScreen");
    clickArrow(s->countControl(), -1, 4);
    element<QAction>("reportMenuItem")->trigger();
    click(element<ReportViewer>("reportViewer")->closeButton());
    element<QAction>("aboutMenuItem")->trigger();
    click(element<AboutPanel>("aboutPanel")->okButton());
    EXPECT_TRUE(s->isVisible());
    EXPECT_TRUE(m_window->engine().settingsOpen());
    EXPECT_EQ(s->grid()->model()->rowCount(), 100);
    EXPECT_EQ(valueText(s->countControl()), QStringLiteral("56"));
    clickArrow(s->countControl(), -1);
    EXPECT_EQ(valueText(s->countControl()), QStringLiteral("55"));
}

TEST_F(SettingsWindow, EnterOnTheScreenConfirmsItAndStartsNoTest) {
    openWindow(100);
    ASSERT_TRUE(element<StartPanel>("startPanel")->nameBox()->hasFocus());
    clickOptions();
    SettingsScreen* s = element<SettingsScreen>("settingsScreen");
    clickArrow(s->countControl(), -1, 2);
    clickArrow(s->timeControl(), +1);
    QWidget* focus = QApplication::focusWidget();
    ASSERT_NE(focus, nullptr);
    EXPECT_TRUE(s->isAncestorOf(focus));
    QTest::keyClick(focus, Qt::Key_Return);
    EXPECT_FALSE(s->isVisible());
    EXPECT_EQ(m_window->engine().state().QuestionCount, 58);
    EXPECT_EQ(m_window->engine().state().MinutesPerQuestion, 3);
    EXPECT_EQ(m_window->engine().screen(), ScreenState::Start);
    EXPECT_TRUE(element<StartPanel>("startPanel")->isVisible());
    EXPECT_FALSE(m_window->ticker().IsActive());
    EXPECT_FALSE(element<QAction>("stopAction")->isEnabled());
    // The start panel has Enter again: it starts the test with 58 questions.
    EXPECT_TRUE(element<StartPanel>("startPanel")->nameBox()->hasFocus());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    EXPECT_EQ(m_window->engine().screen(), ScreenState::Testing);
    EXPECT_EQ(element<ScoreBar>("scoreBar")->open(), 58);
    // The budget is 58 x 3 minutes: the first tick shows 2:53:59.
    m_window->engine().Tick();
    EXPECT_EQ(element<TimePanel>("timePanel")->timeLabel()->rawText(), QStringLiteral("2:53:59"));
}

TEST_F(SettingsWindow, EnterOnTheScreenAlsoFromTheNumpad) {
    openWindow(100);
    element<QAction>("settingsMenuItem")->trigger();
    ASSERT_TRUE(element<SettingsScreen>("settingsScreen")->isVisible());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Enter, Qt::KeypadModifier);
    EXPECT_FALSE(element<SettingsScreen>("settingsScreen")->isVisible());
    EXPECT_EQ(m_window->engine().screen(), ScreenState::Start);
}

TEST_F(SettingsWindow, FailingOpenShowsTheErrorAndLeavesTheScreenClosed) {
    openWindow(100);
    m_bank->setFailure(QStringLiteral("Файл базы занят"));
    element<QAction>("settingsMenuItem")->trigger();
    EXPECT_EQ(m_dialogs.errors, QStringList{QStringLiteral("Файл базы занят.")});
    EXPECT_FALSE(shown(QStringLiteral("settingsScreen")));
    EXPECT_FALSE(m_window->engine().settingsOpen());
    m_bank->setFailure(QStringLiteral("Нет доступа (код 5)"));
    clickOptions();
    ASSERT_EQ(m_dialogs.errors.size(), 2);
    EXPECT_EQ(m_dialogs.errors[1], QStringLiteral("Нет доступа (код 5)"));
    EXPECT_FALSE(shown(QStringLiteral("settingsScreen")));
    EXPECT_TRUE(m_dialogs.connectionErrors.isEmpty());
    // The program goes on in the start state and the screen opens later.
    EXPECT_TRUE(element<StartPanel>("startPanel")->isVisible());
    EXPECT_TRUE(element<QAction>("settingsMenuItem")->isEnabled());
    EXPECT_TRUE(element<QAction>("optionsAction")->isEnabled());
    m_bank->setFailure(QString());
    clickOptions();
    EXPECT_TRUE(element<SettingsScreen>("settingsScreen")->isVisible());
    EXPECT_EQ(element<SettingsScreen>("settingsScreen")->grid()->model()->rowCount(), 100);
}

TEST_F(SettingsWindow, FailingOpenGoesToTheDefaultErrorBox) {
    MessageDialogs boxes;
    m_windowDialogs = &boxes;
    struct Seen {
        QString caption, text;
        QMessageBox::Icon icon = QMessageBox::NoIcon;
        QMessageBox::StandardButtons buttons;
    };
    std::vector<Seen> seen;
    MessageDialogs::setInterceptor([&seen](QMessageBox& box) {
        seen.push_back({box.windowTitle(), box.text(), box.icon(), box.standardButtons()});
    });
    openWindow(100);
    m_bank->setFailure(QStringLiteral("Operation failed"));
    clickOptions();
    MessageDialogs::setInterceptor({});
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].caption, QStringLiteral("Test_screens"));
    EXPECT_EQ(seen[0].text, QStringLiteral("Operation failed."));
    EXPECT_EQ(seen[0].icon, QMessageBox::Critical);
    EXPECT_EQ(seen[0].buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
    EXPECT_FALSE(shown(QStringLiteral("settingsScreen")));
    // The window goes before the dialogs it was built on.
    m_window.reset();
}
