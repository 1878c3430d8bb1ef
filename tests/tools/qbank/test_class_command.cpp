// SPDX-License-Identifier: GPL-3.0-or-later
// A classroom: three simulated PCs sit twenty tests each into one class
// folder at once while qbank results and qbank class read it.
#include "csv/CsvTable.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>
#include <vector>

namespace {

constexpr int kPcs = 3;
constexpr int kTests = 20;
constexpr int kQuestions = 5;

struct QbankRun {
    int status = -1;
    QString out;
    QString err;
};

QbankRun qbank(const QStringList& args) {
    QProcess p;
    p.start(QStringLiteral(KT_QBANK), args);
    EXPECT_TRUE(p.waitForFinished(30000));
    return {p.exitCode(), QString::fromUtf8(p.readAllStandardOutput()),
            QString::fromUtf8(p.readAllStandardError())};
}

std::vector<QStringList> table(const QString& text) {
    std::vector<QStringList> rows;
    for (const kt::CsvRecord& r : kt::parseCsv(text)) {
        QStringList row;
        for (const kt::CsvCell& c : r.cells)
            row << c.text;
        rows.push_back(row);
    }
    return rows;
}

QString pcName(int i) {
    return QStringLiteral("kab12-pc%1").arg(i);
}

// A read in the middle of the writing: only whole blocks, a well-formed
// status table.
void expectConsistentReading(const QString& folder, int* lastBlocks) {
    const QbankRun results = qbank({QStringLiteral("results"), folder});
    ASSERT_EQ(results.status, 0) << results.err.toStdString();
    EXPECT_TRUE(results.err.isEmpty()) << results.err.toStdString();
    const int blocks = static_cast<int>(table(results.out).size()) - 1;
    EXPECT_GE(blocks, *lastBlocks);
    *lastBlocks = blocks;
    const QbankRun status = qbank({QStringLiteral("class"), folder});
    ASSERT_EQ(status.status, 0) << status.err.toStdString();
    for (const QStringList& row : table(status.out))
        EXPECT_EQ(row.size(), 10) << row.join(u'|').toStdString();
}

// Every PC's answers file: its header, then each test's rows together.
QHash<QString, std::vector<QStringList>> answersByTest(const QString& folder) {
    QHash<QString, std::vector<QStringList>> tests;
    for (int i = 1; i <= kPcs; ++i) {
        QFile f(QDir(folder).filePath(QStringLiteral("Answers-%1.csv").arg(pcName(i))));
        EXPECT_TRUE(f.open(QIODevice::ReadOnly));
        const std::vector<QStringList> rows = table(QString::fromUtf8(f.readAll()));
        EXPECT_EQ(rows.at(0).join(u','),
                  QStringLiteral("Тест,Дата,Время,ПК,Ученик,Название,База,Номер,Счетчик,Вопрос,"
                                 "Выбран,Верный,Итог"));
        for (size_t r = 1; r < rows.size(); ++r)
            tests[rows[r][3] + u'/' + rows[r][4]].push_back(rows[r]);
    }
    return tests;
}

// The rows of test t agree with the way it was answered and with its block.
void expectRowsOfTest(const std::vector<QStringList>& rows, int t, const QString& percent) {
    ASSERT_EQ(rows.size(), static_cast<size_t>(kQuestions));
    int right = 0;
    for (int k = 1; k <= kQuestions; ++k) {
        const QStringList& r = rows[static_cast<size_t>(k - 1)];
        EXPECT_EQ(r[7], QString::number(k));
        EXPECT_EQ(r[0], rows[0][0]); // one test, one identifier
        const bool aborted = t % 4 == 0 && k == kQuestions;
        const bool wantRight = !aborted && (t + k) % 2 == 0;
        EXPECT_EQ(r[12], aborted     ? QStringLiteral("нет ответа")
                         : wantRight ? QStringLiteral("верно")
                                     : QStringLiteral("неверно"));
        EXPECT_EQ(r[10] == r[11], wantRight);
        EXPECT_EQ(r[10] == u"0", aborted);
        right += wantRight ? 1 : 0;
    }
    EXPECT_EQ(percent, QString::number(100 * right / kQuestions));
}

} // namespace

TEST(ClassCommand, ThreePcsSittingTwentyTestsEachWhileTheTeacherReads) {
    QTemporaryDir dir;
    const QString folder = dir.filePath(QStringLiteral("9Б"));
    ASSERT_TRUE(QDir().mkpath(folder));
    const QString go = dir.filePath(QStringLiteral("go"));
    std::vector<std::unique_ptr<QProcess>> pcs;
    for (int i = 1; i <= kPcs; ++i) {
        pcs.push_back(std::make_unique<QProcess>());
        pcs.back()->setProcessChannelMode(QProcess::ForwardedErrorChannel);
        pcs.back()->start(
            QStringLiteral(KT_CLASS_PC_WORKER),
            {folder, pcName(i), QString::number(kTests), QString::number(kQuestions), go});
        ASSERT_TRUE(pcs.back()->waitForStarted());
    }
    QFile(go).open(QIODevice::WriteOnly);
    int blocks = 0;
    std::vector<bool> done(kPcs, false);
    for (bool running = true; running;) {
        expectConsistentReading(folder, &blocks);
        running = false;
        for (size_t i = 0; i < pcs.size(); ++i) {
            done[i] = done[i] || pcs[i]->waitForFinished(0);
            running = running || !done[i];
        }
    }
    for (auto& pc : pcs) {
        EXPECT_EQ(pc->exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(pc->exitCode(), 0);
    }

    const std::vector<QStringList> results = table(qbank({QStringLiteral("results"), folder}).out);
    ASSERT_EQ(results.size(), static_cast<size_t>(1 + kPcs * kTests));
    const QHash<QString, std::vector<QStringList>> answers = answersByTest(folder);
    EXPECT_EQ(answers.size(), kPcs * kTests);
    for (size_t b = 1; b < results.size(); ++b) {
        const QStringList& row = results[b];
        const QString pc =
            QFileInfo(row[0]).completeBaseName().mid(QStringLiteral("TestData-").size());
        const int t = row[2].mid(QStringLiteral("Ученик ").size()).toInt();
        SCOPED_TRACE((pc + u' ' + row[2]).toStdString());
        expectRowsOfTest(answers.value(pc + u'/' + row[2]), t, row[3]);
    }

    const std::vector<QStringList> status = table(qbank({QStringLiteral("class"), folder}).out);
    ASSERT_EQ(status.size(), static_cast<size_t>(1 + kPcs));
    const int lastAnswered = kTests % 4 == 0 ? kQuestions - 1 : kQuestions; // aborted or not
    for (int i = 1; i <= kPcs; ++i) {
        const QStringList& s = status[static_cast<size_t>(i)];
        EXPECT_EQ(s.mid(0, 6),
                  (QStringList{pcName(i), QStringLiteral("Ученик %1").arg(kTests),
                               QStringLiteral("Физика, 9Б"), QStringLiteral("result"),
                               QString::number(lastAnswered), QString::number(kQuestions)}));
    }
}

TEST(ClassCommand, RefusesWhatIsNotAFolder) {
    const QbankRun run = qbank({QStringLiteral("class"), QStringLiteral("/nonexistent/9Б")});
    EXPECT_EQ(run.status, 2);
    EXPECT_TRUE(run.err.contains(QStringLiteral("ПАПКА_КЛАССА")));
}
