// SPDX-License-Identifier: GPL-3.0-or-later
// The problems list kept up edit by edit says what a check of the whole bank
// says, after any sequence of edits, undos and redos; its model keeps the
// item-model contract while it follows them.

#include "teacher/core/BankDocument.h"
#include "teacher/gui/ProblemListModel.h"

#include <QAbstractItemModelTester>
#include <QRandomGenerator>
#include <gtest/gtest.h>

using namespace kt;

namespace {

// A stand-in for the screen's measurement that a test can reason about:
// texts up to 20 characters fit.
BankCheckOptions shortTextsFit() {
    BankCheckOptions options;
    options.questionFits = [](QStringView text) { return text.size() <= 20; };
    options.answerFits = [](QStringView text) { return text.size() <= 20; };
    return options;
}

// The document, the live check following it as the window wires them, and
// the list model watched by the model tester.
struct Followed {
    BankDocument doc;
    LiveBankCheck check{shortTextsFit()};
    std::vector<int> touchedRecords;
    ProblemListModel model{check, [this](int row) { touchedRecords.push_back(row); }};
    QAbstractItemModelTester tester{&model, QAbstractItemModelTester::FailureReportingMode::Fatal};

    Followed() {
        check.setListener(&model);
        const auto records = [this] { return doc.records(); };
        QObject::connect(&doc, &BankDocument::recordsReset, [=] { check.reset(records()); });
        QObject::connect(&doc, &BankDocument::recordChanged,
                         [=](int row, int) { check.changed(records(), row); });
        QObject::connect(&doc, &BankDocument::recordInserted,
                         [=](int row) { check.inserted(records(), row); });
        QObject::connect(&doc, &BankDocument::recordRemoved,
                         [=](int row) { check.removed(records(), row); });
        QObject::connect(&doc, &BankDocument::recordsSwapped,
                         [=](int row, int other) { check.swapped(records(), row, other); });
    }

    QStringList shown() const {
        QStringList lines;
        for (int i = 0; i < model.rowCount(); ++i)
            lines << model.index(i).data().toString();
        return lines;
    }
};

QStringList texts(const std::vector<EditorProblem>& problems) {
    QStringList lines;
    for (const EditorProblem& p : problems)
        lines << p.text;
    return lines;
}

// Few distinct values, so that questions and counters collide, texts run
// long, characters fall outside the code page and right answers go wrong.
QString pick(QRandomGenerator& random, int field) {
    static const QStringList questions = {
        QStringLiteral("Вопрос 1"), QStringLiteral("Вопрос 2"), QStringLiteral("Вопрос 3"),
        QString(), QStringLiteral("Очень длинный вопрос, который не влезет")};
    static const QStringList answers = {QStringLiteral("Да"), QString(), QStringLiteral("Ω"),
                                        QStringLiteral("Ответ длиннее двадцати букв")};
    static const QStringList counters = {QStringLiteral("1"), QStringLiteral("2"),
                                         QStringLiteral("3"), QStringLiteral("7"),
                                         QString(),           QStringLiteral("x")};
    static const QStringList rights = {QStringLiteral("1"), QStringLiteral("3"),
                                       QStringLiteral("6"), QString()};
    static const QStringList subjects = {QStringLiteral("Физика"), QStringLiteral("Физика Ω")};
    const QStringList& pool = field == FieldQuestion      ? questions
                              : field <= FieldAnswer5     ? answers
                              : field == FieldCounter     ? counters
                              : field == FieldRightAnswer ? rights
                              : field == FieldSubject     ? subjects
                                                          : answers;
    return pool[random.bounded(static_cast<int>(pool.size()))];
}

void randomEdit(BankDocument& doc, QRandomGenerator& random) {
    const int row = doc.size() == 0 ? -1 : random.bounded(doc.size());
    static const int fields[] = {FieldQuestion,    FieldAnswer1, FieldAnswer1 + 2, FieldAnswer5,
                                 FieldRightAnswer, FieldCounter, FieldSubject};
    switch (random.bounded(9)) {
    case 0:
        doc.addRecord(row);
        break;
    case 1:
        if (row >= 0)
            doc.duplicateRecord(row);
        break;
    case 2:
        if (row >= 0 && doc.size() > 1)
            doc.removeRecord(row);
        break;
    case 3:
        doc.moveRecord(row, random.bounded(2) ? 1 : -1);
        break;
    case 4:
        doc.undoStack()->undo();
        break;
    case 5:
        doc.undoStack()->redo();
        break;
    default:
        if (row >= 0) {
            const int field = fields[random.bounded(7)];
            doc.setField(row, field, pick(random, field));
        }
    }
}

// Makes `steps` edits with `edit` and compares the list with a check of the
// whole bank after each.
template <typename Edit> void followEdits(Followed& f, quint32 seed, int steps, Edit edit) {
    for (int step = 0; step < steps; ++step) {
        edit(step);
        const std::vector<EditorProblem> whole = validateBank(f.doc.records(), shortTextsFit());
        ASSERT_EQ(f.check.all(), whole) << "seed " << seed << ", step " << step;
        ASSERT_EQ(f.shown(), texts(whole)) << "seed " << seed << ", step " << step;
    }
}

TEST(ProblemList, AfterRandomEditsEqualsACheckOfTheWholeBank) {
    for (quint32 seed = 1; seed <= 12; ++seed) {
        Followed f;
        QRandomGenerator random(seed);
        f.doc.reset({}, QString());
        followEdits(f, seed, 250, [&](int) { randomEdit(f.doc, random); });
    }
}

// Inserts and deletes in the middle of a bank whose questions and counters
// already repeat: the findings behind the changed row move with it.
TEST(ProblemList, InsertsAndDeletesAmidRepeatsEqualACheckOfTheWholeBank) {
    for (quint32 seed = 20; seed <= 25; ++seed) {
        Followed f;
        QRandomGenerator random(seed);
        BankTable start(40);
        for (BankRecord& r : start)
            for (int field : {int(FieldQuestion), int(FieldAnswer1), int(FieldRightAnswer),
                              int(FieldCounter), int(FieldSubject)})
                r.text[static_cast<size_t>(field)] = pick(random, field);
        f.doc.reset(start, QString());
        followEdits(f, seed, 150, [&](int step) {
            const int row = random.bounded(f.doc.size());
            if (step % 3 == 2)
                f.doc.undoStack()->undo();
            else if (random.bounded(2) && f.doc.size() > 1)
                f.doc.removeRecord(row);
            else
                f.doc.duplicateRecord(row);
        });
    }
}

// Edits, moves, Inserts and Deletes in a bank where most questions and
// counters are carried by one record: an edit that makes one a repeat
// finds the other record by the row remembered for it, wherever the
// records have moved since.
TEST(ProblemList, RepeatsFoundByRememberedRowsEqualACheckOfTheWholeBank) {
    for (quint32 seed = 30; seed <= 35; ++seed) {
        Followed f;
        QRandomGenerator random(seed);
        const auto value = [&random] { return QString::number(random.bounded(40)); };
        BankTable start(30);
        for (BankRecord& r : start) {
            r.text[FieldQuestion] = value();
            r.text[FieldCounter] = value();
        }
        f.doc.reset(start, QString());
        followEdits(f, seed, 300, [&](int step) {
            const int row = random.bounded(f.doc.size());
            switch (step % 6) {
            case 0:
                f.doc.undoStack()->undo();
                break;
            case 1:
                f.doc.moveRecord(row, random.bounded(2) ? 1 : -1);
                break;
            case 2:
                if (random.bounded(2) && f.doc.size() > 1)
                    f.doc.removeRecord(row);
                else
                    f.doc.addRecord(row);
                break;
            default:
                f.doc.setField(row, step % 2 ? FieldQuestion : FieldCounter, value());
            }
        });
    }
}

TEST(ProblemList, RecordProblemsAreTheRecordsOwnWithoutItsName) {
    Followed f;
    BankRecord twin;
    twin.text[FieldQuestion] = QStringLiteral("Один и тот же вопрос");
    twin.text[FieldRightAnswer] = QStringLiteral("9");
    f.doc.reset({twin, twin}, QString());
    const QStringList first = f.check.recordProblems(0);
    ASSERT_FALSE(first.isEmpty());
    for (const QString& line : first)
        EXPECT_FALSE(line.startsWith(QStringLiteral("Запись "))) << line.toStdString();
    // The repeated question is placed on the first of its records only.
    EXPECT_TRUE(first.last().startsWith(QStringLiteral("Записи 1, 2")));
    EXPECT_EQ(f.check.recordProblems(1).size(), first.size() - 1);

    f.touchedRecords.clear();
    f.doc.setField(1, FieldQuestion, QStringLiteral("Другой вопрос"));
    EXPECT_EQ(f.check.recordProblems(0).size(), first.size() - 1);
    // The table redraws the records whose problems changed, not every row.
    EXPECT_NE(std::find(f.touchedRecords.begin(), f.touchedRecords.end(), 0),
              f.touchedRecords.end());
    EXPECT_LE(f.touchedRecords.size(), 3u);
}

} // namespace
