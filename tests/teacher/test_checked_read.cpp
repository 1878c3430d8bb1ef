// SPDX-License-Identifier: GPL-3.0-or-later
// A bank the editor opens is checked while it is read: what that finds is
// what a check of the opened records finds, the screen fit included.

#include "bank/jet/JetWriter.h"
#include "teacher/core/BankFile.h"
#include "teacher/core/CheckedBankRead.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace kt;

namespace {

// Texts on both sides of the boxes' edges, questions that repeat, and
// counters out of order with repeats and gaps: a bank that has been edited.
std::vector<JetRow> editedBank(int records) {
    std::vector<JetRow> rows;
    for (int r = 0; r < records; ++r) {
        JetRow row(FieldCountTotal);
        const QString word = r % 2 ? QStringLiteral("слово ") : QStringLiteral("длинноеслово ");
        row[FieldQuestion] = word.repeated(1 + (r * 7) % 18) + QString::number(r % 97);
        for (int k = FieldAnswer1; k <= FieldAnswer5; ++k)
            row[static_cast<size_t>(k)] =
                (r + k) % 9 == 0 ? QString() : word.repeated((r + k) % 14);
        row[FieldRightAnswer] = QString::number(1 + r % 5);
        row[FieldMark] = QStringLiteral("0");
        row[FieldCounter] = QString::number(r % 40 == 0 ? 5 : (r * 7919) % 1000 + 1);
        row[FieldSubject] = QStringLiteral("История");
        rows.push_back(row);
    }
    return rows;
}

BankCheckOptions measured(QuestionFit& fit) {
    BankCheckOptions options;
    options.questionFits = [&fit](QStringView t) { return fit.questionFits(t); };
    options.answerFits = [&fit](QStringView t) { return fit.answerFits(t); };
    return options;
}

TEST(CheckedRead, FindsWhatACheckOfTheOpenedRecordsFinds) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("edited.mdb"));
    writeJetDatabase(path, bankTableName(), standardBankColumns(), editedBank(1300));

    CheckedBankRead read;
    readBankFile(path, read);
    read.finish();
    const RecordHandles records = read.takeRecords();
    QuestionFit fit;
    LiveBankCheck check(measured(fit));
    read.handCheckTo(check);

    const std::vector<EditorProblem> whole = validateBank(BankRows(records), measured(fit));
    EXPECT_EQ(check.all(), whole);
    const auto fitFindings = std::count_if(whole.begin(), whole.end(), [](const EditorProblem& p) {
        return p.text.contains(QStringLiteral("не помещается"));
    });
    EXPECT_GT(fitFindings, 10);
    EXPECT_GT(whole.size(), static_cast<size_t>(fitFindings) + 5); // repeats across records too

    const LoadedBank loaded = loadBankFile(path);
    ASSERT_EQ(records.size(), loaded.records.size());
    for (size_t r = 0; r < records.size(); ++r) {
        EXPECT_EQ(records[r]->text, loaded.records[r]->text) << r;
        EXPECT_EQ(records[r]->isNull, loaded.records[r]->isNull) << r;
    }
}

} // namespace
