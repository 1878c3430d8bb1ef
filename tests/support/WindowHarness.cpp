// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/support/WindowHarness.h"

#include "bank/Cp1251.h"
#include "ui/AnswerLabel.h"
#include "ui/ArrowButton.h"
#include "ui/BevelText.h"
#include "ui/QuestionScreen.h"
#include "ui/ResultPanel.h"
#include "ui/ScoreBar.h"
#include "ui/SettingsScreen.h"
#include "ui/StartPanel.h"
#include "ui/TextLabel.h"
#include "ui/ToolStrip.h"
#include "ui/UpDown.h"
#include "ui/UpDownArrows.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QToolButton>

namespace kt::test {

void WindowHarness::SetUp() {
    ASSERT_TRUE(m_dir.isValid());
    m_oldDir = QDir::currentPath();
    QDir::setCurrent(m_dir.path());
}

void WindowHarness::TearDown() {
    m_window.reset();
    QDir::setCurrent(m_oldDir);
}

void WindowHarness::openWindow(int bankSize, int right) {
    m_bank = std::make_unique<MemoryBankSource>(makeBank(bankSize, right));
    WindowDeps deps{*m_bank, m_seeds, m_clock, *m_windowDialogs, reportPath()};
    m_window = std::make_unique<TForm1>(deps);
    m_created = m_window->FormCreate();
    ASSERT_TRUE(m_created);
    m_window->show();
    QApplication::setActiveWindow(m_window.get());
    ASSERT_TRUE(QTest::qWaitForWindowActive(m_window.get()));
}

bool WindowHarness::shown(const QString& name) const {
    const auto* widget = m_window->findChild<QWidget*>(name);
    return widget && widget->isVisible();
}

BevelText* WindowHarness::question() const {
    return element<BevelText>("Qstn");
}

AnswerLabel* WindowHarness::answer(int k) const {
    return element<AnswerLabel>(QStringLiteral("Ansv%1").arg(k));
}

void WindowHarness::click(QAbstractButton* button) {
    ASSERT_NE(button, nullptr);
    ASSERT_TRUE(button->isVisible());
    QTest::mouseClick(button, Qt::LeftButton);
}

void WindowHarness::clickArrow(UpDown* control, int delta, int times) {
    UpDownArrows* arrows = control->arrows();
    QToolButton* button = delta > 0 ? arrows->upButton() : arrows->downButton();
    for (int i = 0; i < times; ++i)
        click(button);
}

void WindowHarness::clickOptions() {
    click(element<ToolStrip>("toolStrip")->button(1));
}

void WindowHarness::clickSettingsOk() {
    click(element<SettingsScreen>("settingsScreen")->okButton());
}

void WindowHarness::startTest(const QString& name) {
    auto* start = element<StartPanel>("startPanel");
    start->nameBox()->setFocus();
    typeText(start->nameBox(), name);
    click(start->okButton());
}

void WindowHarness::abortAndConfirm() {
    click(element<ToolStrip>("toolStrip")->button(0));
    click(element<ResultPanel>("resultPanel")->okButton());
}

void WindowHarness::setQuestionCount(int n, int minutes) {
    TestEngine& engine = m_window->engine();
    ASSERT_TRUE(engine.OpenSettings(true));
    while (engine.state().QuestionCount > n)
        engine.CountArrow(-1);
    while (engine.state().MinutesPerQuestion > minutes)
        engine.TimeArrow(-1);
    engine.ApplySettings();
    ASSERT_EQ(engine.state().QuestionCount, n);
}

QString WindowHarness::reportPath() const {
    return QDir(m_dir.path()).filePath(QStringLiteral("TestData.dat"));
}

QByteArray WindowHarness::reportBytes() const {
    QFile file(reportPath());
    if (!file.open(QIODevice::ReadOnly))
        return QByteArray("<missing>");
    return file.readAll();
}

QStringList WindowHarness::reportLines() const {
    QStringList lines = decodeCp1251(reportBytes()).split(QStringLiteral("\r\n"));
    // The last line's CR LF leaves an empty piece behind it.
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

void WindowHarness::appendToReport(const QByteArray& bytes) const {
    QFile file(reportPath());
    ASSERT_TRUE(file.open(QIODevice::Append));
    ASSERT_EQ(file.write(bytes), bytes.size());
}

void WindowHarness::expectTestElements(bool shown) const {
    const auto* q = element<QuestionScreen>("questionArea");
    EXPECT_TRUE(q->isVisible());
    for (int k = 1; k <= 5; ++k) {
        EXPECT_EQ(answer(k)->isVisible(), shown) << "answer " << k;
        EXPECT_TRUE(q->letter(k)->isVisible()) << "letter " << k;
    }
    EXPECT_EQ(question()->isVisible(), shown);
    EXPECT_EQ(element<ScoreBar>("scoreBar")->isVisible(), shown);
    EXPECT_EQ(element<ArrowButton>("backButton")->isVisible(), shown);
    EXPECT_EQ(element<ArrowButton>("forwardButton")->isVisible(), shown);
    EXPECT_EQ(element<TextLabel>("counter")->isVisible(), shown);
}

void WindowHarness::expectStart() const {
    EXPECT_TRUE(element<StartPanel>("startPanel")->isVisible());
    EXPECT_FALSE(shown(QStringLiteral("resultPanel")));
    expectTestElements(false);
    EXPECT_FALSE(element<QAction>("abortMenuItem")->isEnabled());
    EXPECT_FALSE(element<QAction>("stopAction")->isEnabled());
    EXPECT_FALSE(m_window->ticker().IsActive());
}

void WindowHarness::expectTesting() const {
    EXPECT_FALSE(element<StartPanel>("startPanel")->isVisible());
    EXPECT_FALSE(shown(QStringLiteral("resultPanel")));
    expectTestElements(true);
    EXPECT_TRUE(element<QAction>("abortMenuItem")->isEnabled());
    EXPECT_TRUE(element<QAction>("stopAction")->isEnabled());
    EXPECT_FALSE(element<QAction>("settingsMenuItem")->isEnabled());
    EXPECT_FALSE(element<QAction>("optionsAction")->isEnabled());
    EXPECT_TRUE(m_window->ticker().IsActive());
}

void WindowHarness::expectResult() const {
    EXPECT_FALSE(element<StartPanel>("startPanel")->isVisible());
    EXPECT_TRUE(element<ResultPanel>("resultPanel")->isVisible());
    expectTestElements(false);
    EXPECT_FALSE(element<QAction>("abortMenuItem")->isEnabled());
    EXPECT_FALSE(element<QAction>("stopAction")->isEnabled());
    EXPECT_FALSE(m_window->ticker().IsActive());
}

} // namespace kt::test
