// SPDX-License-Identifier: GPL-3.0-or-later
// The answers file's streaming reader: quoting, line ends, damaged rows and
// rows that straddle the blocks it reads in.

#include "bank/KtError.h"
#include "report/AnswersFile.h"
#include "tests/support/Reports.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace kt;

namespace {

const QByteArray kHeader = answersHeader().join(u',').toUtf8() + '\n';

QByteArray row(const QByteArray& test, const QByteArray& question) {
    return test + ",07.12.2026,9:05:03,PC1,Ученик,География,DB1.MDB,1,5," + question +
           ",2,2,верно\n";
}

// Every row's test and question, and the lines skipped.
struct ReadBack {
    std::vector<std::pair<QByteArray, QByteArray>> rows;
    std::vector<int> skipped;
};

ReadBack readBack(const QByteArray& bytes) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Answers.csv"));
    kt::test::writeFile(path, bytes);
    AnswersReader reader(path);
    ReadBack r;
    AnswerFields f;
    while (reader.next(f)) {
        r.rows.emplace_back(f[ColTest].toByteArray(), f[ColQuestion].toByteArray());
        EXPECT_EQ(f[ColOutcome], QByteArrayView("верно"));
    }
    r.skipped = reader.skippedLines();
    return r;
}

} // namespace

TEST(AnswersReader, ReadsQuotedFieldsAndBothLineEnds) {
    QByteArray crlf = row("t2", "B");
    crlf.insert(crlf.size() - 1, '\r');
    const ReadBack r = readBack("\xEF\xBB\xBF" + kHeader +
                                row("t1", "\"Столица, \"\"город\"\"\n?\"") + crlf + row("t3", "C"));
    ASSERT_EQ(r.rows.size(), 3u);
    EXPECT_EQ(r.rows[0].second, "Столица, \"город\"\n?");
    EXPECT_EQ(r.rows[1], std::make_pair(QByteArray("t2"), QByteArray("B")));
    EXPECT_EQ(r.rows[2].first, "t3");
    EXPECT_TRUE(r.skipped.empty());
}

TEST(AnswersReader, SkipsDamagedRowsByTheirLine) {
    // Line 2 has a field too many, line 5 (after a quoted line break on 3)
    // is one cut short by a full disk.
    const QByteArray extra = row("t1", "A").replace("верно", "верно,лишнее");
    const ReadBack r = readBack(kHeader + extra + row("t2", "\"B\nB\"") + "t3,07.12.2026,9:0");
    ASSERT_EQ(r.rows.size(), 1u);
    EXPECT_EQ(r.rows[0].first, "t2");
    EXPECT_EQ(r.skipped, std::vector<int>({2, 5}));
}

TEST(AnswersReader, RefusesAFileWithAnotherHeader) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Answers.csv"));
    kt::test::writeFile(path, "Файл,Блок\n1,2\n");
    EXPECT_THROW(AnswersReader{path}, KtError);
    EXPECT_THROW(AnswersReader{dir.filePath(QStringLiteral("нет.csv"))}, KtError);
}

TEST(AnswersReader, ReadsRowsAcrossItsBlocks) {
    // About 15 MB: rows of odd lengths with quoted fields fall across the
    // reader's blocks at every kind of place.
    QByteArray bytes = kHeader;
    constexpr int kRows = 40000;
    for (int i = 0; i < kRows; ++i)
        bytes += row(QByteArray::number(i),
                     '"' + QByteArray(i % 613, 'x') + "\"\"," + QByteArray::number(i) + '"');
    const ReadBack r = readBack(bytes);
    ASSERT_EQ(int(r.rows.size()), kRows);
    for (int i = 0; i < kRows; i += 997) {
        EXPECT_EQ(r.rows[size_t(i)].first, QByteArray::number(i));
        EXPECT_EQ(r.rows[size_t(i)].second,
                  QByteArray(i % 613, 'x') + "\"," + QByteArray::number(i));
    }
    EXPECT_TRUE(r.skipped.empty());
}
