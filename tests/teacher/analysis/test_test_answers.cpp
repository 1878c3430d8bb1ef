// SPDX-License-Identifier: GPL-3.0-or-later
// One test's questions found again by what its report block tells.

#include "teacher/analysis/TestAnswers.h"
#include "tests/support/Reports.h"
#include "tests/teacher/analysis/AnswersFixture.h"

#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace kt;

TEST(TestAnswers, NamesThePcsAnswersFileBesideItsReport) {
    const QDir dir(QStringLiteral("/class"));
    EXPECT_EQ(answersFileFor(dir.filePath("TestData-PC3.dat")), dir.filePath("Answers-PC3.csv"));
    EXPECT_EQ(answersFileFor(dir.filePath("TestData.dat")), dir.filePath("Answers.csv"));
    EXPECT_EQ(answersFileFor(dir.filePath("notes.dat")), QString());
}

TEST(TestAnswers, FindsTheTestOfTheStudentAtThatTime) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Answers.csv"));
    // Two students finished in the same second; the fixture names them
    // "Ученик a" and "Ученик b".
    kt::test::writeFile(path, kt::test::answersFileBytes(
                                  {{"a", {{7, 1, 1}, {8, 2, 3}}}, {"b", {{9, 0, 2}, {3, 4, 4}}}}));
    const auto rows = findTestAnswers(path, "07.12.2026", "9:05:03", QStringLiteral("Ученик b"));
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0].counter, 9);
    EXPECT_EQ(rows[0].verdict, QStringLiteral("нет ответа"));
    EXPECT_EQ(rows[1].slot, 2);
    EXPECT_EQ(rows[1].chosen, 4);
    EXPECT_TRUE(findTestAnswers(path, "08.12.2026", "9:05:03", QStringLiteral("Ученик b")).empty());
}
