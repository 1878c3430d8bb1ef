// SPDX-License-Identifier: GPL-3.0-or-later
// Files made by the writer, read back by libmdb (through the reader process)
// and by an independent reader (node + mdb-reader).

#include "bank/BankRecord.h"
#include "bank/KtError.h"
#include "bank/MdbBankSource.h"
#include "bank/jet/JetWriter.h"
#include "tests/support/JetTestSupport.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace kt;
using namespace kt::test;

namespace {

// Rows of the standard table with every awkward case in turn: long texts,
// NULLs, empty texts, the limits of the number columns, CSV-hostile signs.
std::vector<JetRow> awkwardBank(int count, int textLength) {
    std::vector<JetRow> rows;
    for (int i = 0; i < count; ++i) {
        JetRow r(FieldCountTotal);
        r[0] =
            i % 7 == 0 ? cyrillicText(255, i) : QStringLiteral("Вопрос №%1 — «ёЁ», \"да\"").arg(i);
        for (int a = 1; a <= 5; ++a)
            r[a] = cyrillicText(textLength > 0 ? textLength : 1 + (i + a) % 40, i + a);
        if (i % 13 == 0)
            r[3] = QString(); // an empty text, not NULL
        if (i % 17 == 0)
            r[5] = std::nullopt;
        if (i % 11 != 0)
            r[FieldRightAnswer] = QString::number(i % 19 == 0 ? 255 : i % 5 + 1);
        r[FieldMark] = QString::number(i % 3 == 0 ? -32768 : (i % 3 == 1 ? 32767 : i));
        r[FieldSubject] = i % 2 ? cyrillicText(50, i) : QStringLiteral("Физика\nстрока 2");
        rows.push_back(r);
    }
    return rows;
}

// The writer numbers the counter itself.
Values expectedValues(const JetRow& row, int index) {
    Values v(row.begin(), row.end());
    v[FieldCounter] = QString::number(index + 1);
    return v;
}

void expectSameAsNode(const QString& path, const std::vector<JetRow>& rows) {
    const NodeTable t = readWithNode(path, bankTableName());
    EXPECT_EQ(t.tables, QStringList{bankTableName()});
    ASSERT_EQ(t.rowCount, static_cast<int>(rows.size()));
    ASSERT_EQ(t.rows.size(), rows.size());
    for (size_t i = 0; i < rows.size(); ++i)
        ASSERT_EQ(t.rows[i], expectedValues(rows[i], static_cast<int>(i))) << "record " << i;
}

void expectSameAsLibmdb(const QString& path, const std::vector<JetRow>& rows) {
    const BankTable raw = MdbBankSource(path).LoadRaw();
    ASSERT_EQ(raw.size(), rows.size());
    for (size_t i = 0; i < rows.size(); ++i) {
        const Values want = expectedValues(rows[i], static_cast<int>(i));
        // The reader gives a NULL text as an empty text; numbers keep NULL apart.
        for (int f = 0; f < FieldCountTotal; ++f) {
            const bool number = f == FieldRightAnswer || f == FieldMark || f == FieldCounter;
            if (number) {
                ASSERT_EQ(raw[i].isNull[f], !want[f].has_value())
                    << "record " << i << " field " << f;
            }
            ASSERT_EQ(raw[i].text[f], want[f].value_or(QString()))
                << "record " << i << " field " << f;
        }
    }
}

class JetFiles : public ::testing::Test {
protected:
    QString file(const QString& name) const { return m_dir.filePath(name); }
    QTemporaryDir m_dir;
};

TEST_F(JetFiles, StandardBankReadsBackIdenticallyInBothReaders) {
    const std::vector<JetRow> rows = awkwardBank(5000, 0);
    const QString path = file(QStringLiteral("bank.mdb"));
    writeJetDatabase(path, bankTableName(), standardBankColumns(), rows);
    EXPECT_GE(dataPagesOf(path, 4), 10);
    expectSameAsNode(path, rows);
    expectSameAsLibmdb(path, rows);
}

TEST_F(JetFiles, TableOfMoreThan512PagesUsesTheReferenceMap) {
    const std::vector<JetRow> rows = awkwardBank(3200, 120);
    const QString path = file(QStringLiteral("large.mdb"));
    writeJetDatabase(path, bankTableName(), standardBankColumns(), rows);
    EXPECT_GT(dataPagesOf(path, 4), 600);
    EXPECT_EQ(usageMapType(path, 4), 1);
    expectSameAsNode(path, rows);
    expectSameAsLibmdb(path, rows);
}

TEST_F(JetFiles, HundredThousandRecordsReadBack) {
    std::vector<JetRow> rows;
    for (int i = 0; i < 100000; ++i)
        rows.push_back({QStringLiteral("Вопрос %1").arg(i), QString::number(i), "б", "в", "г", "д",
                        QString::number(i % 5 + 1), QString::number(i % 1000), std::nullopt,
                        QStringLiteral("Физика")});
    const QString path = file(QStringLiteral("huge.mdb"));
    writeJetDatabase(path, bankTableName(), standardBankColumns(), rows);
    EXPECT_EQ(usageMapType(path, 4), 1);
    expectSameAsNode(path, rows);
    expectSameAsLibmdb(path, rows);
}

TEST_F(JetFiles, ColumnTypesAreThoseOfTheStandardTable) {
    const QString path = file(QStringLiteral("types.mdb"));
    writeJetDatabase(path, bankTableName(), standardBankColumns(), awkwardBank(3, 0));
    EXPECT_EQ(usageMapType(path, 4), 0); // a small table keeps its page bitmap inline
    const NodeTable t = readWithNode(path, bankTableName());
    const std::vector<std::pair<QString, int>> want = {
        {"text", 510}, {"text", 510}, {"text", 510},  {"text", 510}, {"text", 510},
        {"text", 510}, {"byte", 1},   {"integer", 2}, {"long", 4},   {"text", 100}};
    ASSERT_EQ(t.columns.size(), want.size());
    for (size_t i = 0; i < want.size(); ++i) {
        EXPECT_EQ(t.columns[i].name, bankFieldNames()[i]);
        EXPECT_EQ(t.columns[i].type, want[i].first) << i;
        EXPECT_EQ(t.columns[i].size, want[i].second) << i;
        EXPECT_EQ(t.columns[i].autoLong, static_cast<int>(i) == FieldCounter) << i;
    }
}

TEST_F(JetFiles, EveryColumnTypeReadsBack) {
    const std::vector<JetColumn> columns = {
        {"Флаг", JetType::Boolean},     {"Байт", JetType::Byte},
        {"Целое", JetType::Integer},    {"Длинное", JetType::Long},
        {"Номер", JetType::AutoLong},   {"Деньги", JetType::Currency},
        {"Одинарное", JetType::Single}, {"Двойное", JetType::Double},
        {"Дата", JetType::DateTime},    {"Короткий", JetType::Text, 10},
        {"Длинный", JetType::Memo}};
    const QString memo = cyrillicText(1500, 3);
    const std::vector<JetRow> rows = {{"1", "0", "-5", "-2147483648", std::nullopt, "12.3456",
                                       "0.25", "-3.5", "2026-12-07 09:05:03", "десять сим", memo},
                                      {"0", "255", std::nullopt, "2147483647", "99", "-1",
                                       std::nullopt, "1e100", "07.12.2026", "", std::nullopt}};
    const QString path = file(QStringLiteral("all.mdb"));
    writeJetDatabase(path, QStringLiteral("Все"), columns, rows);
    const NodeTable t = readWithNode(path, QStringLiteral("Все"));
    const QStringList types = {"boolean", "byte",   "integer",  "long", "long", "currency",
                               "float",   "double", "datetime", "text", "memo"};
    ASSERT_EQ(t.columns.size(), columns.size());
    for (size_t i = 0; i < columns.size(); ++i)
        EXPECT_EQ(t.columns[i].type, types[static_cast<int>(i)]) << i;
    const Values first = {"true",        "0",    "-5",
                          "-2147483648", "1",    "12.3456",
                          "0.25",        "-3.5", "2026-12-07T09:05:03.000Z",
                          "десять сим",  memo};
    const Values second = {"false",      "255",       std::nullopt,
                           "2147483647", "2",         "-1.0000",
                           std::nullopt, "1e+100",    "2026-12-07T00:00:00.000Z",
                           "",           std::nullopt};
    ASSERT_EQ(t.rows.size(), 2u);
    EXPECT_EQ(t.rows[0], first);
    EXPECT_EQ(t.rows[1], second);
}

TEST_F(JetFiles, TextStartingWithByteOrderMarkIsRefused) {
    // Both readers would drop the mark, so the file could not read back as written.
    std::vector<JetRow> rows = awkwardBank(2, 0);
    rows[1][1] = QString(QChar(0xFEFF)) + QStringLiteral("Ответ");
    const QString path = file(QStringLiteral("bom.mdb"));
    try {
        writeJetDatabase(path, bankTableName(), standardBankColumns(), rows);
        ADD_FAILURE() << "accepted";
    } catch (const KtError& e) {
        EXPECT_TRUE(e.message().contains(QStringLiteral("U+FEFF"))) << e.what();
        EXPECT_TRUE(e.message().contains(QStringLiteral("Запись 2, столбец «Ответ1»"))) << e.what();
    }
    rows[1][1] = QStringLiteral("Ответ") + QChar(0xFEFF); // elsewhere it is an ordinary character
    writeJetDatabase(path, bankTableName(), standardBankColumns(), rows);
    expectSameAsNode(path, rows);
    expectSameAsLibmdb(path, rows);
}

TEST_F(JetFiles, EmptyTableReadsBackEmpty) {
    const QString path = file(QStringLiteral("empty.mdb"));
    writeJetDatabase(path, bankTableName(), standardBankColumns(), {});
    expectSameAsNode(path, {});
    expectSameAsLibmdb(path, {});
}

TEST_F(JetFiles, BadValueNamesRecordAndColumnAndLeavesNoFile) {
    std::vector<JetRow> rows = awkwardBank(4, 0);
    const QString path = file(QStringLiteral("bad.mdb"));
    struct Case {
        int field;
        QString value;
        QString reason;
    };
    const std::vector<Case> cases = {{FieldRightAnswer, "256", "от 0 до 255"},
                                     {FieldMark, "пять", "не целое число"},
                                     {FieldMark, "40000", "от -32768 до 32767"},
                                     {FieldQuestion, cyrillicText(256, 1), "длиннее 255"},
                                     {FieldSubject, cyrillicText(51, 1), "длиннее 50"}};
    for (const Case& c : cases) {
        std::vector<JetRow> bad = rows;
        bad[2][c.field] = c.value;
        try {
            writeJetDatabase(path, bankTableName(), standardBankColumns(), bad);
            ADD_FAILURE() << "accepted " << c.value.toStdString();
        } catch (const KtError& e) {
            EXPECT_TRUE(e.message().contains(QStringLiteral("Запись 3"))) << e.what();
            EXPECT_TRUE(e.message().contains(bankFieldNames()[c.field])) << e.what();
            EXPECT_TRUE(e.message().contains(c.reason)) << e.what();
        }
        EXPECT_FALSE(QFile::exists(path));
    }
}

TEST_F(JetFiles, FailedWriteKeepsTheOldFile) {
    const QString path = file(QStringLiteral("keep.mdb"));
    writeJetDatabase(path, bankTableName(), standardBankColumns(), awkwardBank(3, 0));
    const QByteArray before = readBytes(path);
    std::vector<JetRow> bad = awkwardBank(3, 0);
    bad[1][FieldRightAnswer] = QStringLiteral("x");
    EXPECT_THROW(writeJetDatabase(path, bankTableName(), standardBankColumns(), bad), KtError);
    EXPECT_EQ(readBytes(path), before);
}

TEST_F(JetFiles, BadTableShapesAreRefused) {
    const QString path = file(QStringLiteral("shape.mdb"));
    const std::vector<JetColumn> twice = {{"А", JetType::Text}, {"а", JetType::Byte}};
    EXPECT_THROW(writeJetDatabase(path, "Т", twice, {}), KtError);
    EXPECT_THROW(writeJetDatabase(path, "Т", {}, {}), KtError);
    const std::vector<JetColumn> counters = {{"А", JetType::AutoLong}, {"Б", JetType::AutoLong}};
    EXPECT_THROW(writeJetDatabase(path, "Т", counters, {}), KtError);
    EXPECT_THROW(writeJetDatabase(path, "MSysObjects", standardBankColumns(), {}), KtError);
    EXPECT_THROW(writeJetDatabase(path, "", standardBankColumns(), {}), KtError);
    EXPECT_THROW(writeJetDatabase(path, "Т", {{"А", JetType::Text, 256}}, {}), KtError);
    EXPECT_THROW(writeJetDatabase(path, "Т", {{"А", JetType::Text}}, {{"1", "2"}}), KtError);
    EXPECT_FALSE(QFile::exists(path));
}

} // namespace
