#include "WindowFixture.h"

#include "ArrowButton.h"
#include "QuestionScreen.h"
#include "ResultPanel.h"
#include "ScoreBar.h"
#include "StartPanel.h"
#include "TextLabel.h"

#include <QAction>
#include <QApplication>
#include <QTest>

using namespace kt;
using namespace kt::test;

using WindowRun = WindowFixture;

namespace {

// The slot number of the shown question, read from its text "Вопрос i".
int shownRecord(const TForm1& w) {
    return w.questionScreen()->question()->rawText().section(QLatin1Char(' '), 1).toInt();
}

} // namespace

TEST_F(WindowRun, WholeTestByKeyboardAndMouseEndsWithAReport) {
    createWindow(70, 2); // variant B is right everywhere
    setQuestionCount(3);
    TForm1& w = *m_window;

    // Typing a name and pressing Enter in the name box starts the test.
    ASSERT_TRUE(w.startPanel()->nameBox()->hasFocus());
    typeText(w.startPanel()->nameBox(), QStringLiteral("Сидоров & Ко"));
    QTest::keyClick(w.startPanel()->nameBox(), Qt::Key_Return);
    expectTesting();
    EXPECT_EQ(w.counter()->rawText(), QStringLiteral("1"));

    // A move without a choice judges nothing and steps on.
    const int first = shownRecord(w);
    QTest::mouseClick(w.forwardButton(), Qt::LeftButton);
    EXPECT_EQ(w.counter()->rawText(), QStringLiteral("2"));
    EXPECT_NE(shownRecord(w), first);
    EXPECT_EQ(w.scoreBar()->open(), 3);

    // Choose B, move forward with Enter on the focused Forward button.
    QTest::mouseClick(w.questionScreen()->answer(2), Qt::LeftButton);
    EXPECT_TRUE(w.questionScreen()->answer(2)->chosen());
    ASSERT_TRUE(w.forwardButton()->hasFocus());
    QTest::keyClick(w.forwardButton(), Qt::Key_Return);
    EXPECT_EQ(w.scoreBar()->right(), 1);
    EXPECT_EQ(w.counter()->rawText(), QStringLiteral("3"));
    for (int k = 1; k <= 5; ++k)
        EXPECT_FALSE(w.questionScreen()->answer(k)->chosen()) << k;

    // Choose A (wrong) and go back with Space on the Back button.
    QTest::mouseClick(w.questionScreen()->answer(1), Qt::LeftButton);
    QTest::mouseClick(w.backButton(), Qt::LeftButton);
    EXPECT_EQ(w.scoreBar()->wrong(), 1);
    EXPECT_EQ(w.counter()->rawText(), QStringLiteral("1")); // slot 2 is done
    QTest::mouseClick(w.questionScreen()->answer(2), Qt::LeftButton);
    ASSERT_TRUE(w.backButton()->hasFocus());
    QTest::keyClick(w.backButton(), Qt::Key_Space);

    // The last judgement completes the test: 1 right... plus this one.
    expectResult();
    EXPECT_EQ(w.resultPanel()->percentLabel()->rawText(), QStringLiteral("66 %"));
    EXPECT_EQ(w.resultPanel()->nameLabel()->rawText(), QStringLiteral("Сидоров & Ко"));
    EXPECT_EQ(w.counter()->rawText(), QStringLiteral("1"));
    EXPECT_EQ(w.scoreBar()->open(), 3);

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
    createWindow();
    setQuestionCount(2);
    TForm1& w = *m_window;
    for (int run = 0; run < 2; ++run) {
        typeText(w.startPanel()->nameBox(), QStringLiteral("N%1").arg(run));
        QTest::keyClick(&w, Qt::Key_Return);
        expectTesting();
        for (int q = 0; q < 2; ++q) {
            QTest::mouseClick(w.questionScreen()->answer(1), Qt::LeftButton);
            QTest::mouseClick(w.forwardButton(), Qt::LeftButton);
        }
        expectResult();
        EXPECT_EQ(w.resultPanel()->percentLabel()->rawText(), QStringLiteral("100 %"));
        QTest::mouseClick(w.resultPanel()->okButton(), Qt::LeftButton);
        expectStart();
    }
    const QStringList lines = reportLines();
    ASSERT_EQ(lines.size(), 20);
    EXPECT_EQ(lines[1], QStringLiteral("Студент --- N0"));
    EXPECT_EQ(lines[10], QStringLiteral(" "));
    EXPECT_EQ(lines[11], QStringLiteral("Студент --- N1"));
}
