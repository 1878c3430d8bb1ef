// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "bank/BankRecord.h"
#include "bank/RecordTexts.h"
#include "bank/jet/JetWriter.h"
#include "csv/CsvTable.h"
#include "csv/SpreadsheetCsv.h"

namespace kt {

// A bank in its CSV form, ready for the writer.
struct BankCsvTable {
    std::vector<JetColumn> columns;
    std::vector<JetRow> rows;
};

// Builds the table from CSV text, for test fixtures that need faulty or odd
// banks (teachers' files go through importBankCsv). The header names the columns: the known
// fields get their standard types, other names Text(255), and a suffix after
// a colon ("ВернОтв:Long", "Метка:Text(20)") forces a type. Without a
// "Счетчик" column one is added (before "Предмет", or last) unless
// addCounter is false; its values are numbered by the writer. An empty field
// is NULL, "" an empty text. Throws KtError naming the line and the column.
BankCsvTable bankTableFromCsv(const QString& csvText, bool addCounter = true,
                              QChar separator = u',');

// The header line of an export: the fields without "Счетчик", in field order.
QString bankCsvHeader(QChar separator = u',');
// One record in the export form (fields as the header lists them), texts
// neutralised against formulas: the record at `row` of `records`, or one
// record the editor keeps.
QString bankCsvRecord(const RecordTexts& records, qsizetype row, QChar separator = u',');
QString bankCsvRecord(const BankRecord& record, QChar separator = u',');

} // namespace kt
