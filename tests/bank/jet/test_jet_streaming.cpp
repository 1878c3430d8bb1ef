// SPDX-License-Identifier: GPL-3.0-or-later
// A CSV file streamed record by record into the writer, as qbank imports
// it, against the same file read whole and written from its rows: the
// tables must be the same bytes and read back the same in both readers.

#include "bank/BankRecord.h"
#include "bank/KtError.h"
#include "bank/MdbBankSource.h"
#include "bank/import/BankImport.h"
#include "bank/jet/JetWriter.h"
#include "tests/support/JetTestSupport.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace kt;
using namespace kt::test;

namespace {

constexpr int kPageSize = 4096;

// Questions of real lengths (40-200 characters) with what makes pieces of
// a file cut badly: two-byte letters, characters outside the BMP, quoted
// separators, quotes and line breaks inside a field, CR LF line ends.
QByteArray realisticCsv(int count) {
    QString csv = QStringLiteral("Вопросы;Ответ1;Ответ2;Ответ3;Ответ4;Ответ5;ВернОтв;Метка;"
                                 "Предмет\r\n");
    for (int i = 0; i < count; ++i) {
        QString question = cyrillicText(40 + (i * 37) % 160, i);
        if (i % 9 == 0)
            question = u'"' + question.left(30) + QStringLiteral("; \"\"в кавычках\"\"\r\nи 😀\"");
        csv += question;
        for (int a = 1; a <= 5; ++a)
            csv += u';' + cyrillicText(5 + (i + a) % 60, i + a);
        csv += QStringLiteral(";%1;%2;Физика\r\n").arg(i % 5 + 1).arg(i % 100);
    }
    return csv.toUtf8();
}

// The pages of a file apart from page 0 and the catalog's rows, which hold
// the time of writing.
QByteArray withoutDates(const QByteArray& file) {
    QByteArray pages = file;
    pages.replace(0, kPageSize, QByteArray(kPageSize, '\0'));
    pages.replace(3 * kPageSize, kPageSize, QByteArray(kPageSize, '\0'));
    return pages;
}

class JetStreaming : public ::testing::Test {
protected:
    QString file(const QString& name) const { return m_dir.filePath(name); }
    QString streamed(const QByteArray& csv, ImportResult& result) {
        const QString path = file(QStringLiteral("streamed.mdb"));
        QFile in(file(QStringLiteral("in.csv")));
        EXPECT_TRUE(in.open(QIODevice::ReadWrite));
        in.write(csv);
        in.seek(0);
        JetFileWriter writer(path, bankTableName(), standardBankColumns());
        result = importBankCsv(in, {}, [&](JetRow&& row) { writer.addRow(row); });
        writer.commit();
        return path;
    }
    QTemporaryDir m_dir;
};

TEST_F(JetStreaming, StreamedImportGivesTheSameTableAsTheWholeFile) {
    const QByteArray csv = realisticCsv(6000); // well past one piece and 512 pages
    const ImportResult whole = importBankCsv(csv);
    ASSERT_TRUE(whole.ok()) << formatImportProblems(whole.problems).toStdString();
    const QString wholePath = file(QStringLiteral("whole.mdb"));
    writeJetDatabase(wholePath, bankTableName(), standardBankColumns(), whole.table.rows);

    ImportResult result;
    const QString path = streamed(csv, result);
    ASSERT_TRUE(result.ok()) << formatImportProblems(result.problems).toStdString();
    EXPECT_EQ(result.recordCount, 6000);
    EXPECT_EQ(usageMapType(path, 4), 1);
    EXPECT_TRUE(withoutDates(readBytes(path)) == withoutDates(readBytes(wholePath)));

    const NodeTable node = readWithNode(path, bankTableName());
    const BankTable libmdb = MdbBankSource(path).LoadRaw();
    ASSERT_EQ(node.rows.size(), whole.table.rows.size());
    ASSERT_EQ(libmdb.size(), whole.table.rows.size());
    for (size_t i = 0; i < whole.table.rows.size(); ++i) {
        Values want(whole.table.rows[i].begin(), whole.table.rows[i].end());
        want[FieldCounter] = QString::number(i + 1);
        ASSERT_EQ(node.rows[i], want) << i;
        for (int f = 0; f < FieldCountTotal; ++f)
            ASSERT_EQ(libmdb[i].text[f], want[f].value_or(QString())) << i << " " << f;
    }
}

TEST_F(JetStreaming, AWriterLeftUncommittedLeavesTheOldFileAndNothingElse) {
    const QString path = file(QStringLiteral("keep.mdb"));
    writeJetDatabase(path, bankTableName(), standardBankColumns(),
                     {{"В", "1", "2", "3", "4", "5", "1", "0", std::nullopt, "Ф"}});
    const QByteArray before = readBytes(path);
    {
        JetFileWriter writer(path, bankTableName(), standardBankColumns());
        for (int i = 0; i < 3000; ++i) // many pages already on the disk
            writer.addRow(
                {cyrillicText(200, i), "1", "2", "3", "4", "5", "1", "0", std::nullopt, "Ф"});
        EXPECT_THROW(writer.addRow({"В", "1", "2", "3", "4", "5", "x", "0", std::nullopt, "Ф"}),
                     KtError);
    }
    EXPECT_EQ(readBytes(path), before);
    EXPECT_EQ(QDir(m_dir.path()).entryList(QDir::Files), QStringList{"keep.mdb"});
}

TEST_F(JetStreaming, KeptCountersAreCheckedAsTheRowsArrive) {
    JetFileWriter writer(file(QStringLiteral("kept.mdb")), bankTableName(), standardBankColumns(),
                         JetWriteOptions{true});
    writer.addRow({"В", "1", "2", "3", "4", "5", "1", "0", QStringLiteral("7"), "Ф"});
    writer.addRow({"В", "1", "2", "3", "4", "5", "1", "0", std::nullopt, "Ф"});
    try {
        writer.addRow({"В", "1", "2", "3", "4", "5", "1", "0", QStringLiteral("8"), "Ф"});
        FAIL() << "a repeated counter was taken";
    } catch (const KtError& e) {
        EXPECT_TRUE(e.message().contains(QStringLiteral("Запись 3"))) << e.message().toStdString();
        EXPECT_TRUE(e.message().contains(QStringLiteral("8 повторяется")))
            << e.message().toStdString();
    }
}

} // namespace
