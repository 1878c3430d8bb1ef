// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/support/WindowHarness.h"

#include "ui/ArrowButton.h"
#include "ui/QuestionScreen.h"
#include "ui/ResultPanel.h"
#include "ui/ScoreBar.h"
#include "ui/StartPanel.h"
#include "ui/TextLabel.h"

#include <QAction>
#include <QApplication>
#include <QTest>

using namespace kt;
using namespace kt::test;

using WindowRun = WindowHarness;

TEST_F(WindowRun, WholeTestByKeyboardAndMouseEndsWithAReport) {
    openWindow(70, 2); // variant B is right everywhere
    setQuestionCount(3);
    TForm1& w = *m_window;

    // Typing a name and pressing Enter in the name box starts the test.
    ASSERT_TRUE(element<StartPanel>("startPanel")->nameBox()->hasFocus());
    typeText(element<StartPanel>("startPanel")->nameBox(), QStringLiteral("Сидоров & Ко"));
    QTest::keyClick(element<StartPanel>("startPanel")->nameBox(), Qt::Key_Return);
    expectTesting();
    EXPECT_EQ(element<TextLabel>("counter")->rawText(), QStringLiteral("1"));

    // A move without a choice judges nothing and steps on.
    const int first = fixtureNumber(question()->rawText());
    QTest::mouseClick(element<ArrowButton>("forwardButton"), Qt::LeftButton);
    EXPECT_EQ(element<TextLabel>("counter")->rawText(), QStringLiteral("2"));
    EXPECT_NE(fixtureNumber(question()->rawText()), first);
    EXPECT_EQ(element<ScoreBar>("scoreBar")->open(), 3);

    // Choose B, move forward with Enter on the focused Forward button.
    QTest::mouseClick(answer(2), Qt::LeftButton);
    EXPECT_TRUE(answer(2)->chosen());
    ASSERT_TRUE(element<ArrowButton>("forwardButton")->hasFocus());
    QTest::keyClick(element<ArrowButton>("forwardButton"), Qt::Key_Return);
    EXPECT_EQ(element<ScoreBar>("scoreBar")->right(), 1);
    EXPECT_EQ(element<TextLabel>("counter")->rawText(), QStringLiteral("3"));
    for (int k = 1; k <= 5; ++k)
        EXPECT_FALSE(answer(k)->chosen()) << k;

    // Choose A (wrong) and go back with Space on the Back button.
    QTest::mouseClick(answer(1), Qt::LeftButton);
    QTest::mouseClick(element<ArrowButton>("backButton"), Qt::LeftButton);
    EXPECT_EQ(element<ScoreBar>("scoreBar")->wrong(), 1);
    EXPECT_EQ(element<TextLabel>("counter")->rawText(),
              QStringLiteral("1")); // slot 2 is done
    QTest::mouseClick(answer(2), Qt::LeftButton);
    ASSERT_TRUE(element<ArrowButton>("backButton")->hasFocus());
    QTest::keyClick(element<ArrowButton>("backButton"), Qt::Key_Space);

    // The last judgement completes the test: 1 right... plus this one.
    expectResult();
    EXPECT_EQ(element<ResultPanel>("resultPanel")->percentLabel()->rawText(),
              QStringLiteral("66 %"));
    EXPECT_EQ(element<ResultPanel>("resultPanel")->nameLabel()->rawText(),
              QStringLiteral("Сидоров & Ко"));
    EXPECT_EQ(element<TextLabel>("counter")->rawText(), QStringLiteral("1"));
    EXPECT_EQ(element<ScoreBar>("scoreBar")->open(), 3);

    // Escape does nothing; Enter confirms the result panel.
    QTest::keyClick(&w, Qt::Key_Escape);
    expectResult();
    QTest::keyClick(&w, Qt::Key_Enter, Qt::KeypadModifier);
    expectStart();

    const QByteArray bytes = reportBytes();
    EXPECT_TRUE(bytes.startsWith(QByteArray(" \r\n")));
    const QStringList lines = reportLines();
    const QStringList expected = {
        QStringLiteral(" "),
        QStringLiteral("Студент --- Сидоров & Ко"),
        QStringLiteral("Ответил правильно на --- 66 %"),
        QStringLiteral("Дата тестирования --- 07.12.2026"),
        QStringLiteral("Время завершения тестирования --- 9:05:03"),
        QStringLiteral("Остаток времени после тестирования --- 00:00:00"),
        QStringLiteral("Всего вопросов в базе - 70"),
        QStringLiteral("Колличество вопросов в тесте --- 3"),
        QStringLiteral("Отбор вопросов из диапазона от --- 1  до  --- 70"),
        QStringLiteral("Выделяемое время на один вопрос --- 2 мин")};
    EXPECT_EQ(lines, expected);
}

TEST_F(WindowRun, ASecondTestStartsFromTheFreshSetAndAppends) {
    openWindow();
    setQuestionCount(2);
    TForm1& w = *m_window;
    for (int run = 0; run < 2; ++run) {
        typeText(element<StartPanel>("startPanel")->nameBox(), QStringLiteral("N%1").arg(run));
        QTest::keyClick(&w, Qt::Key_Return);
        expectTesting();
        for (int q = 0; q < 2; ++q) {
            QTest::mouseClick(answer(1), Qt::LeftButton);
            QTest::mouseClick(element<ArrowButton>("forwardButton"), Qt::LeftButton);
        }
        expectResult();
        EXPECT_EQ(element<ResultPanel>("resultPanel")->percentLabel()->rawText(),
                  QStringLiteral("100 %"));
        QTest::mouseClick(element<ResultPanel>("resultPanel")->okButton(), Qt::LeftButton);
        expectStart();
    }
    const QStringList lines = reportLines();
    ASSERT_EQ(lines.size(), 20);
    EXPECT_EQ(lines[1], QStringLiteral("Студент --- N0"));
    EXPECT_EQ(lines[10], QStringLiteral(" "));
    EXPECT_EQ(lines[11], QStringLiteral("Студент --- N1"));
}
