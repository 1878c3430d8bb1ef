// SPDX-License-Identifier: GPL-3.0-or-later
// qbank analysis as a script sees it: a folder of answers files becomes one
// table on standard output; a file that is no answers file is named on
// standard error and changes the exit status.

#include "tests/support/Reports.h"
#include "tests/teacher/analysis/AnswersFixture.h"

#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using kt::test::answersFileBytes;

namespace {

struct AnalysisRun {
    int status = -1;
    QByteArray out;
    QString err;
};

AnalysisRun analysis(const QStringList& args) {
    QProcess p;
    p.start(QStringLiteral(KT_QBANK), QStringList{"analysis"} + args);
    EXPECT_TRUE(p.waitForFinished(30000));
    return {p.exitCode(), p.readAllStandardOutput(), QString::fromUtf8(p.readAllStandardError())};
}

} // namespace

TEST(AnalysisCommand, ReadsEveryAnswersFileOfAFolder) {
    QTemporaryDir dir;
    // Two PCs' files; the question of record 4 holds a comma and a quote.
    // k = round(0.27 × 2) = 1: test a (1 of 2) is the upper group, b (0 of
    // 1) the lower; record 5 has no lower answer, and one test with other
    // questions is too few for the correlation.
    const QString question = QStringLiteral("Река, \"длинная\"?");
    kt::test::writeFile(dir.filePath("Answers-PC1.csv"),
                        answersFileBytes({{"a", {{4, 2, 2, question}, {5, 1, 3}}}}));
    kt::test::writeFile(dir.filePath("Answers-PC2.csv"),
                        answersFileBytes({{"b", {{4, 0, 2, question}}}}));
    kt::test::writeFile(dir.filePath("notes.csv"), "not,answers\n");
    const AnalysisRun r = analysis({dir.path()});
    EXPECT_EQ(r.status, 0) << r.err.toStdString();
    EXPECT_EQ(
        QString::fromUtf8(r.out),
        QStringLiteral("База,Счетчик,Вопрос,Показов,Верно %,Дискриминация,Бисериальная,"
                       "A,B,C,D,E,Без ответа,Флаг\n"
                       "DB1.MDB,4,\"Река, \"\"длинная\"\"?\",2,0.500,1.000,,0.000,0.500,0.000,"
                       "0.000,0.000,0.500,мало данных\n"
                       "DB1.MDB,5,Вопрос 5,1,0.000,,,1.000,0.000,0.000,0.000,0.000,0.000,"
                       "мало данных\n"));

    const AnalysisRun bad = analysis({"--excel", dir.filePath("notes.csv"), dir.path()});
    EXPECT_EQ(bad.status, 1);
    EXPECT_TRUE(bad.err.contains(QStringLiteral("не файл ответов"))) << bad.err.toStdString();
    // The spreadsheet form: semicolons, code page 1251, the same rows.
    EXPECT_TRUE(bad.out.contains(";4;")) << bad.out.toStdString();
    EXPECT_FALSE(bad.out.contains(QStringLiteral("База").toUtf8()));
    EXPECT_EQ(analysis({}).status, 2);
}
