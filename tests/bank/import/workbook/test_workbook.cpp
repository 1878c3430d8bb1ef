// SPDX-License-Identifier: GPL-3.0-or-later
// .xlsx and .ods files as spreadsheets write them: shared and inline
// strings, numbers, line breaks in cells, repeated cells, several sheets.

#include "bank/import/BankImport.h"
#include "bank/import/workbook/Workbook.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <quazip/quazip.h>
#include <quazip/quazipfile.h>

using namespace kt;

namespace {

using Parts = std::vector<std::pair<QString, QByteArray>>;

QString writeZip(const QTemporaryDir& dir, const QString& name, const Parts& parts) {
    const QString path = dir.filePath(name);
    QuaZip zip(path);
    EXPECT_TRUE(zip.open(QuaZip::mdCreate));
    for (const auto& [part, bytes] : parts) {
        QuaZipFile file(&zip);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly, QuaZipNewInfo(part)));
        file.write(bytes);
        file.close();
    }
    zip.close();
    return path;
}

const QByteArray kCsv = "Вопросы,Ответ1,Ответ2,Ответ3,Ответ4,Ответ5,ВернОтв,Предмет\n"
                        "\"Две\nстроки\",а,б,в,г,д,3,Физика\n"
                        "Ток?,Ампер,Вольт,  ,Ватт,Джоуль,Б,Физика\n";

// The same table as kCsv; the second record is in row 4 (row 3 left empty).
QString xlsx(const QTemporaryDir& dir, const QByteArray& secondSheet = {}) {
    const QByteArray workbook =
        "<workbook xmlns:r='http://schemas.openxmlformats.org/officeDocument/2006/relationships'>"
        "<sheets><sheet name='Вопросы' sheetId='1' r:id='rId1'/>" +
        QByteArray(secondSheet.isEmpty() ? "" : "<sheet name='Другой' r:id='rId2'/>") +
        "</sheets></workbook>";
    const QByteArray rels = "<Relationships><Relationship Id='rId2' Target='worksheets/s2.xml'/>"
                            "<Relationship Id='rId1' Target='/xl/worksheets/s1.xml'/>"
                            "</Relationships>";
    QByteArray strings = "<sst>";
    for (const char* s : {"Вопросы", "Ответ1", "Ответ2", "Ответ3", "Ответ4", "Ответ5", "ВернОтв",
                          "Предмет", "а", "б", "в", "г", "д", "Физика"})
        strings += QByteArray("<si><t>") + s + "</t></si>";
    strings += "<si><r><t>Две</t></r><r><t xml:space='preserve'>\nстроки</t></r>"
               "<rPh><t>подсказка</t></rPh></si></sst>";
    QByteArray sheet = "<worksheet><sheetData><row r='1'>";
    for (int c = 0; c < 8; ++c)
        sheet += "<c t='s'><v>" + QByteArray::number(c) + "</v></c>";
    sheet += "</row><row r='2'><c r='A2' t='s'><v>14</v></c>";
    for (int c = 0; c < 5; ++c)
        sheet += "<c t='s'><v>" + QByteArray::number(8 + c) + "</v></c>";
    sheet += "<c r='G2'><v>3</v></c><c r='H2' t='s'><v>13</v></c></row>"
             "<row r='4'><c r='A4' t='inlineStr'><is><t>Ток?</t></is></c>"
             "<c r='B4' t='str'><f>X</f><v>Ампер</v></c><c r='C4' t='inlineStr'><is><t>Вольт"
             "</t></is></c><c r='D4' t='inlineStr'><is><t xml:space='preserve'>  </t></is></c>"
             "<c r='E4' t='inlineStr'><is><t>Ватт</t></is></c><c r='F4' t='inlineStr'><is><t>"
             "Джоуль</t></is></c><c r='G4' t='inlineStr'><is><t>Б</t></is></c>"
             "<c r='H4' t='s'><v>13</v></c></row></sheetData></worksheet>";
    Parts parts = {{"xl/workbook.xml", workbook},
                   {"xl/_rels/workbook.xml.rels", rels},
                   {"xl/sharedStrings.xml", strings},
                   {"xl/worksheets/s1.xml", sheet}};
    if (!secondSheet.isEmpty())
        parts.push_back({"xl/worksheets/s2.xml", secondSheet});
    return writeZip(dir, QStringLiteral("вопросы.xlsx"), parts);
}

QByteArray odsCell(const QByteArray& text, const QByteArray& extra = {}) {
    return "<table:table-cell office:value-type='string'" + extra + "><text:p>" + text +
           "</text:p></table:table-cell>";
}

QString ods(const QTemporaryDir& dir) {
    QByteArray rows = "<table:table-row>";
    for (const char* h :
         {"Вопросы", "Ответ1", "Ответ2", "Ответ3", "Ответ4", "Ответ5", "ВернОтв", "Предмет"})
        rows += odsCell(h);
    rows += "</table:table-row><table:table-row>" + odsCell("Две</text:p><text:p>строки") +
            odsCell("а") + odsCell("б") + odsCell("<text:span>в</text:span>") + odsCell("г") +
            odsCell("д") +
            "<table:table-cell office:value-type='float' office:value='3'><text:p>3,00</text:p>"
            "</table:table-cell>" +
            odsCell("Физика") +
            "<table:table-cell table:number-columns-repeated='1016'/></table:table-row>"
            "<table:table-row table:number-rows-repeated='1'><table:table-cell/></table:table-row>"
            "<table:table-row>" +
            odsCell("Ток?") + odsCell("Ампер") + odsCell("Вольт") +
            odsCell("<text:s text:c='2'/>") + odsCell("Ватт") +
            odsCell("Джоуль<office:annotation><text:p>x</text:p>"
                    "</office:annotation>") +
            odsCell("Б") + odsCell("Физика") +
            "</table:table-row><table:table-row table:number-rows-repeated='1048570'>"
            "<table:table-cell table:number-columns-repeated='1024'/></table:table-row>";
    const QByteArray content =
        "<office:document-content xmlns:office='urn:oasis:names:tc:opendocument:xmlns:office:1.0' "
        "xmlns:table='urn:oasis:names:tc:opendocument:xmlns:table:1.0' "
        "xmlns:text='urn:oasis:names:tc:opendocument:xmlns:text:1.0'><office:body>"
        "<office:spreadsheet><table:table table:name='Вопросы'><table:table-column/>" +
        rows + "</table:table></office:spreadsheet></office:body></office:document-content>";
    return writeZip(
        dir, QStringLiteral("вопросы.ods"),
        {{"mimetype", "application/vnd.oasis.opendocument.spreadsheet"}, {"content.xml", content}});
}

std::vector<JetRow> rowsOf(const ImportResult& result, std::vector<JetRow> rows) {
    EXPECT_TRUE(result.ok()) << formatImportProblems(result.problems).toStdString();
    return rows;
}

std::vector<JetRow> importWorkbook(const QString& path, const ImportOptions& options = {}) {
    std::vector<JetRow> rows;
    const ImportResult r =
        importBankWorkbook(path, options, [&](JetRow&& row) { rows.push_back(std::move(row)); });
    return rowsOf(r, std::move(rows));
}

TEST(Workbook, XlsxAndOdsImportToTheSameRowsAsTheCsv) {
    QTemporaryDir dir;
    const ImportResult csv = importBankCsv(kCsv);
    ASSERT_TRUE(csv.ok());
    ASSERT_EQ(csv.table.rows.size(), 2u);
    EXPECT_EQ(csv.table.rows[0][FieldQuestion], QStringLiteral("Две\nстроки"));
    EXPECT_EQ(importWorkbook(xlsx(dir)), csv.table.rows);
    EXPECT_EQ(importWorkbook(ods(dir)), csv.table.rows);
}

TEST(Workbook, RowsKeepTheSpreadsheetsNumbersAndProblemsNameThem) {
    QTemporaryDir dir;
    for (const QString& path : {xlsx(dir), ods(dir)}) {
        const std::vector<CsvRecord> rows = readWorkbookSheet(path);
        ASSERT_EQ(rows.size(), 3u) << path.toStdString();
        EXPECT_EQ(rows[1].line, 2);
        EXPECT_EQ(rows[2].line, 4);
        EXPECT_EQ(rows[2].cells.size(), 8u); // repeated empty cells add nothing
        EXPECT_TRUE(rows[2].cells[3].quoted);
        EXPECT_EQ(rows[2].cells[3].text, QStringLiteral("  "));
    }
    ImportOptions other;
    other.sheet = QStringLiteral("Другой");
    const QByteArray bad = "<worksheet><sheetData><row r='1'><c t='inlineStr'><is><t>Вопросы</t>"
                           "</is></c></row><row r='7'><c t='inlineStr'><is><t>В</t></is></c>"
                           "</row></sheetData></worksheet>";
    const ImportResult r = importBankWorkbook(xlsx(dir, bad), other, [](JetRow&&) {});
    ASSERT_FALSE(r.ok());
    EXPECT_TRUE(formatImportProblems(r.problems).contains(QStringLiteral("«Ответ1»")));
}

TEST(Workbook, WrongSheetsOldExcelAndDamagedFilesAreNamed) {
    QTemporaryDir dir;
    auto problem = [](const QString& path, const QString& sheet = {}) {
        ImportOptions options;
        options.sheet = sheet;
        const ImportResult r = importBankWorkbook(path, options, [](JetRow&&) {});
        return r.problems.empty() ? QString() : r.problems[0].text;
    };
    EXPECT_TRUE(problem(xlsx(dir, "<worksheet/>"), QStringLiteral("Нет"))
                    .endsWith(QStringLiteral("нет листа «Нет». Листы книги: «Вопросы», «Другой»")));
    EXPECT_TRUE(problem(ods(dir), QStringLiteral("Нет")).endsWith(QStringLiteral("«Вопросы»")));

    QFile xls(dir.filePath(QStringLiteral("old.xls")));
    ASSERT_TRUE(xls.open(QIODevice::WriteOnly));
    xls.write(QByteArray("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1", 8) + QByteArray(504, '\0'));
    xls.close();
    EXPECT_EQ(workbookKind(xls.fileName()), WorkbookKind::OldExcel);
    EXPECT_TRUE(problem(xls.fileName()).contains(QStringLiteral("сохраните как .xlsx или CSV")));

    const QString broken =
        writeZip(dir, QStringLiteral("b.xlsx"), {{"xl/workbook.xml", "<workbook><sheets>"}});
    EXPECT_TRUE(problem(broken).contains(QStringLiteral("повреждён")));
    EXPECT_EQ(workbookKind(dir.filePath(QStringLiteral("нет.xlsx"))), WorkbookKind::NotWorkbook);
    QFile::copy(broken, dir.filePath(QStringLiteral("zip.csv")));
    EXPECT_EQ(workbookKind(dir.filePath(QStringLiteral("zip.csv"))), WorkbookKind::NotWorkbook);
}

} // namespace
