// SPDX-License-Identifier: GPL-3.0-or-later
// The CSV reading and writing of banks (RFC 4180).

#include "bank/Cp1251.h"
#include "csv/CsvTable.h"
#include "csv/CsvWriter.h"
#include "csv/SpreadsheetCsv.h"
#include "tests/support/JetTestSupport.h"

#include <gtest/gtest.h>

using namespace kt;

namespace {

QStringList texts(const CsvRecord& r) {
    QStringList out;
    for (const CsvCell& c : r.cells)
        out << c.text;
    return out;
}

TEST(Csv, PlainAndQuotedFieldsWithTheirLines) {
    const auto records = parseCsv(QStringLiteral(
        "а,б,в\r\n\"x, y\",\"он сказал \"\"да\"\"\",\"две\nстроки\"\n,\"\",последний"));
    ASSERT_EQ(records.size(), 3u);
    EXPECT_EQ(texts(records[0]), (QStringList{"а", "б", "в"}));
    EXPECT_EQ(texts(records[1]), (QStringList{"x, y", "он сказал \"да\"", "две\nстроки"}));
    EXPECT_EQ(texts(records[2]), (QStringList{"", "", "последний"}));
    EXPECT_EQ(records[0].line, 1);
    EXPECT_EQ(records[1].line, 2);
    EXPECT_EQ(records[2].line, 3); // a quoted line break stays inside its row
    EXPECT_FALSE(records[2].cells[0].quoted);
    EXPECT_TRUE(records[2].cells[1].quoted);
}

TEST(Csv, BlankLinesAreSkippedAndCrlfInsideQuotesIsKept) {
    const auto records = parseCsv(QStringLiteral("\r\nа\r\n\r\n\"б\r\nв\"\r\n\r\n"));
    ASSERT_EQ(records.size(), 2u);
    EXPECT_EQ(records[0].line, 2);
    EXPECT_EQ(texts(records[1]), QStringList{"б\r\nв"});
    EXPECT_EQ(records[1].line, 4);
}

TEST(Csv, BrokenQuotingNamesLineAndField) {
    struct Case {
        QString text;
        int line;
        int column;
    };
    const std::vector<Case> cases = {{"а,б\nв,\"не закрыта", 2, 2},
                                     {"а,б\nв,г\"д", 2, 2},
                                     {"а\n\"x\"y,z", 2, 1},
                                     {"а\n\"две\nстроки\" ,z", 2, 1}};
    for (const Case& c : cases) {
        try {
            parseCsv(c.text);
            ADD_FAILURE() << "accepted " << c.text.toStdString();
        } catch (const CsvError& e) {
            EXPECT_EQ(e.line(), c.line) << c.text.toStdString();
            EXPECT_EQ(e.column(), c.column) << c.text.toStdString();
            EXPECT_TRUE(e.message().startsWith(
                QStringLiteral("Строка %1, поле %2: ").arg(c.line).arg(c.column)))
                << e.what();
        }
    }
}

TEST(Csv, FormattedRecordsParseBackTheSame) {
    const std::vector<std::optional<QString>> fields = {QStringLiteral("просто"),
                                                        std::nullopt,
                                                        QString(),
                                                        QStringLiteral("a,b"),
                                                        QStringLiteral("\"кавычки\""),
                                                        QStringLiteral("строка\r\nвторая")};
    const QString line = formatCsvRecord(fields);
    EXPECT_EQ(line,
              QStringLiteral("просто,,\"\",\"a,b\",\"\"\"кавычки\"\"\",\"строка\r\nвторая\"\r\n"));
    const auto records = parseCsv(line);
    ASSERT_EQ(records.size(), 1u);
    ASSERT_EQ(records[0].cells.size(), fields.size());
    for (size_t i = 0; i < fields.size(); ++i) {
        EXPECT_EQ(records[0].cells[i].text, fields[i].value_or(QString())) << i;
        EXPECT_EQ(records[0].cells[i].text.isEmpty() && !records[0].cells[i].quoted,
                  !fields[i].has_value())
            << i;
    }
}

TEST(Csv, Utf8DecodingDropsTheMarkAndRefusesOtherEncodings) {
    EXPECT_EQ(
        decodeUtf8Strict(QByteArray("\xEF\xBB\xBF") + QStringLiteral("Вопросы").toUtf8(), "f"),
        QStringLiteral("Вопросы"));
    EXPECT_EQ(decodeUtf8Strict(QByteArray(), "f"), QString());
    try {
        decodeUtf8Strict(QByteArray("\xC2\xE0\xEF\xF0\xEE\xF1\xFB"), QStringLiteral("q.csv"));
        ADD_FAILURE() << "cp1251 bytes accepted as UTF-8";
    } catch (const KtError& e) {
        EXPECT_EQ(e.message(), QStringLiteral("Файл «q.csv» не в кодировке UTF-8"));
    }
}

} // namespace

TEST(SpreadsheetCsv, QuotesNeutralisesAndPicksTheCodePage) {
    EXPECT_EQ(csvRecord({"a,b", "say \"hi\"", "x;y", "line\nbreak", ""}, u',', u"\n"),
              "\"a,b\",\"say \"\"hi\"\"\",x;y,\"line\nbreak\",\n");
    for (const QString& risky : QStringList{"=1+2", "+7", "-3", "@SUM(A1)", "\tx", "\rx"})
        EXPECT_EQ(neutraliseFormula(risky), "'" + risky);
    for (const QString& safe : QStringList{"85", "Иванов = 5", "", " =1"})
        EXPECT_EQ(neutraliseFormula(safe), safe);

    const QByteArray cyr = spreadsheetCsv({{"Ученик", "Процент"}, {"=Пётр; 5А", "85"}});
    EXPECT_EQ(cyr, encodeCp1251("Ученик;Процент\r\n\"'=Пётр; 5А\";85\r\n"));
    const QByteArray wide = spreadsheetCsv({{"Ученик"}, {"Zoë ✓"}});
    EXPECT_EQ(wide, "\xEF\xBB\xBF" + QString("Ученик\r\nZoë ✓\r\n").toUtf8());
}
