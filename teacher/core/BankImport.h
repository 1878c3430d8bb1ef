#pragma once

#include "BankRecord.h"

#include <QByteArray>
#include <QString>

namespace kt {

// Records from a spreadsheet saved as CSV (the command-line tool's import
// format): a header naming the fields, one record per line. Throws KtError
// with a Russian message naming the line and the column.
BankTable importBankCsv(const QByteArray& bytes, const QString& fileName);

// The bank as CSV for a spreadsheet, in the same format (UTF-8, CRLF).
QByteArray exportBankCsv(const BankTable& records);

} // namespace kt
