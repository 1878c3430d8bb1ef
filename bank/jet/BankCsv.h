#pragma once

#include "BankRecord.h"
#include "CsvTable.h"
#include "JetWriter.h"

namespace kt {

// A bank in its CSV form, ready for the writer.
struct BankCsvTable {
    std::vector<JetColumn> columns;
    std::vector<JetRow> rows;
};

// Builds the table from CSV text. The header names the columns: the known
// fields get their standard types, other names Text(255), and a suffix after
// a colon ("ВернОтв:Long", "Метка:Text(20)") forces a type. Without a
// "Счетчик" column one is added (before "Предмет", or last) unless
// addCounter is false; its values are numbered by the writer. An empty field
// is NULL, "" an empty text. Throws KtError naming the line and the column.
BankCsvTable bankTableFromCsv(const QString& csvText, bool addCounter = true);

// The header line of an export: the fields without "Счетчик", in field order.
QString bankCsvHeader();
// One record in the export form (fields as the header lists them).
QString bankCsvRecord(const BankRecord& record);

} // namespace kt
