// SPDX-License-Identifier: GPL-3.0-or-later
#include "bank/Cp1251.h"
#include "bank/KtError.h"
#include "teacher/core/BankDocument.h"
#include "teacher/core/BankValidation.h"
#include "teacher/core/QuestionsCsv.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace kt;

namespace {

BankRecord question(const QString& text, int counter, int right = 1) {
    BankRecord r;
    r.text[FieldQuestion] = text;
    for (int k = 1; k <= 5; ++k)
        r.text[static_cast<size_t>(k)] = QStringLiteral("%1 — ответ %2").arg(text).arg(k);
    r.text[FieldRightAnswer] = QString::number(right);
    r.text[FieldMark] = QStringLiteral("7");
    r.text[FieldCounter] = QString::number(counter);
    r.text[FieldSubject] = QStringLiteral("История");
    return r;
}

QStringList questions(const BankDocument& doc) {
    QStringList out;
    for (const BankRecord& r : doc.records())
        out << r.text[FieldQuestion];
    return out;
}

} // namespace

TEST(BankDocument, EveryEditIsUndoneAndRedone) {
    BankDocument doc;
    doc.reset({question("a", 3), question("b", 10), question("c", 4)}, QStringLiteral("x.mdb"));
    EXPECT_FALSE(doc.isModified());
    doc.setField(0, FieldQuestion, QStringLiteral("a1"));
    doc.setField(0, FieldQuestion, QStringLiteral("a12")); // typing merges into one step
    const int added = doc.addRecord(1);
    EXPECT_EQ(added, 2);
    EXPECT_EQ(doc.record(2).text[FieldCounter], QStringLiteral("11")); // after the largest
    EXPECT_EQ(doc.record(2).text[FieldSubject], QStringLiteral("История"));
    doc.duplicateRecord(0);
    EXPECT_EQ(doc.record(1).text[FieldCounter], QStringLiteral("12"));
    EXPECT_EQ(doc.record(1).text[FieldMark], QStringLiteral("7"));
    EXPECT_TRUE(doc.moveRecord(4, -1));
    EXPECT_FALSE(doc.moveRecord(0, -1));
    doc.removeRecord(0);
    EXPECT_EQ(questions(doc), QStringList({"a12", "b", "c", ""}));
    EXPECT_TRUE(doc.isModified());

    QUndoStack* undo = doc.undoStack();
    EXPECT_EQ(undo->count(), 5);
    while (undo->canUndo())
        undo->undo();
    EXPECT_EQ(questions(doc), QStringList({"a", "b", "c"}));
    EXPECT_FALSE(doc.isModified());
    while (undo->canRedo())
        undo->redo();
    EXPECT_EQ(questions(doc), QStringList({"a12", "b", "c", ""}));
}

TEST(BankDocument, ImportedRecordsAreNumberedAfterTheLargestCounter) {
    const QByteArray csv = "Вопросы,Ответ1,Ответ2,Ответ3,Ответ4,Ответ5,ВернОтв,Метка,Предмет\n"
                           "q1,a,b,c,d,e,2,,Химия\n"
                           "\"q2, с запятой\",a,b,c,d,e,5,3,Химия\n";
    const BankTable imported = readQuestionsCsv(csv, QStringLiteral("t.csv")).records;
    ASSERT_EQ(imported.size(), 2u);
    EXPECT_EQ(imported[1].text[FieldQuestion], QStringLiteral("q2, с запятой"));
    EXPECT_TRUE(imported[0].isNull[FieldMark]);
    EXPECT_EQ(imported[1].text[FieldMark], QStringLiteral("3"));

    BankDocument doc;
    doc.reset({question("a", 40)}, QString());
    doc.appendRecords(imported, QStringLiteral("импорт"));
    EXPECT_EQ(doc.record(1).text[FieldCounter], QStringLiteral("41"));
    EXPECT_EQ(doc.record(2).text[FieldCounter], QStringLiteral("42"));
    doc.undoStack()->undo();
    EXPECT_EQ(doc.size(), 1);

    // The spreadsheet's form, as qbank export --excel writes it, read back.
    const QByteArray exported = writeQuestionsCsv(imported);
    EXPECT_TRUE(decodeCp1251(exported).startsWith(QStringLiteral("Вопросы;")));
    EXPECT_TRUE(exported.contains("\r\n"));
    EXPECT_EQ(readQuestionsCsv(exported, QStringLiteral("e.csv")).records[1].text[FieldQuestion],
              QStringLiteral("q2, с запятой"));
    BankTable foreign = imported;
    foreign[0].text[FieldQuestion] = QStringLiteral("日本");
    EXPECT_TRUE(writeQuestionsCsv(foreign).startsWith("\xEF\xBB\xBF")); // UTF-8, marked
    EXPECT_THROW(readQuestionsCsv("Вопросы\n\xFF\xFE\n", QStringLiteral("bad.csv")), KtError);
}

// One after the largest counter, read from every record.
int largestCounterPlusOne(const BankDocument& doc) {
    int largest = 0;
    for (const BankRecord& r : doc.records())
        if (!r.isNull[FieldCounter])
            largest = std::max(largest, r.text[FieldCounter].toInt());
    return largest + 1;
}

TEST(BankDocument, NewRecordsAreNumberedAfterTheLargestCounterThroughAnyEdits) {
    BankDocument doc;
    doc.reset({question("a", 5), question("b", 9), question("c", 9)}, QString());
    EXPECT_EQ(doc.nextCounter(), 10);
    doc.removeRecord(1); // another record still holds 9
    EXPECT_EQ(doc.nextCounter(), 10);
    doc.removeRecord(1);
    EXPECT_EQ(doc.nextCounter(), 6);
    doc.undoStack()->undo();
    EXPECT_EQ(doc.nextCounter(), 10);

    BankRecord blank = question("n", 0); // a null counter counts for nothing
    blank.isNull[FieldCounter] = true;
    blank.text[FieldCounter].clear();
    doc.reset({question("a", 5), blank, question("b", 40)}, QString());
    EXPECT_EQ(doc.nextCounter(), 41);
    const QStringList values = {"3", "70", "-4", "abc", "", "12", "70"};
    quint32 seed = 99;
    for (int step = 0; step < 400; ++step) {
        seed = seed * 1103515245u + 12345u;
        const int pick = static_cast<int>(seed >> 16);
        const int row = doc.size() == 0 ? -1 : pick % doc.size();
        switch (pick % 6) {
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
            if (row >= 0)
                doc.setField(row, FieldCounter, values[(pick / 7) % values.size()]);
            break;
        case 4:
            doc.undoStack()->undo();
            break;
        default:
            doc.undoStack()->redo();
        }
        ASSERT_EQ(doc.nextCounter(), largestCounterPlusOne(doc)) << "step " << step;
    }
    doc.reset({question("z", 2)}, QString());
    EXPECT_EQ(doc.nextCounter(), 3);
}

TEST(BankValidation, ProblemsPointAtTheirRecordAndField) {
    BankTable bank;
    for (int i = 0; i < 3; ++i)
        bank.push_back(question(QStringLiteral("q%1").arg(i), i + 1));
    bank[1].text[FieldRightAnswer] = QStringLiteral("7");
    bank[2].text[FieldAnswer1 + 2] = QStringLiteral("Ω ответ");
    bank[2].text[FieldQuestion] = QStringLiteral("q0");
    const std::vector<EditorProblem> problems = validateBank(bank);
    auto find = [&](int row, int field) {
        for (const EditorProblem& p : problems)
            if (p.row == row && p.field == field)
                return &p;
        return static_cast<const EditorProblem*>(nullptr);
    };
    ASSERT_NE(find(1, FieldRightAnswer), nullptr);
    EXPECT_TRUE(find(1, FieldRightAnswer)->fatal);
    ASSERT_NE(find(2, FieldAnswer1 + 2), nullptr);
    EXPECT_FALSE(find(2, FieldAnswer1 + 2)->fatal);
    EXPECT_NE(find(0, FieldQuestion), nullptr); // "q0" twice: records 1 and 3
    EXPECT_TRUE(validateBank(BankTable{}).front().fatal);
}
