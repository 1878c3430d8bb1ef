// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

namespace kt {

// One CSV record: fields joined by `separator`; a field holding the
// separator, a quote or a line break is put in quotes, a quote inside
// doubled (RFC 4180). The record ends with `lineEnd`.
QString csvRecord(const QStringList& fields, QChar separator, QStringView lineEnd);

// A cell a spreadsheet would run as a formula (starting with = + - @, a tab
// or a carriage return) gets a leading apostrophe, so it is shown as text.
QString spreadsheetCell(const QString& text);

// A table (first row the header) as a CSV file a spreadsheet opens with a
// double click under a Russian system: semicolons, CR LF, every cell through
// spreadsheetCell; code page 1251 when every character fits, otherwise UTF-8
// with a byte-order mark.
QByteArray spreadsheetCsv(const QList<QStringList>& rows);

} // namespace kt
