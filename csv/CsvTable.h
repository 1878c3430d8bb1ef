// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "bank/KtError.h"

#include <QString>
#include <vector>

namespace kt {

// One field of a CSV record. `quoted` tells "" (an empty text) from an
// empty field (no value at all).
struct CsvCell {
    QString text;
    bool quoted = false;
};

struct CsvRecord {
    int line = 0; // line of the file where the record starts, from 1
    std::vector<CsvCell> cells;
};

// Broken CSV: the message names the line and the field.
class CsvError : public KtError {
public:
    CsvError(int line, int column, const QString& reason);
    int line() const { return m_line; }
    int column() const { return m_column; }
    const QString& reason() const { return m_reason; }

private:
    int m_line;
    int m_column;
    QString m_reason;
};

// Parses CSV after RFC 4180: fields separated by commas (or the separator
// given: spreadsheets in a Russian locale use semicolons), records by CRLF or
// LF, fields with separators, quotes or line breaks in double quotes, a
// quote in such a field doubled. Lines with nothing on them are skipped.
std::vector<CsvRecord> parseCsv(const QString& text, QChar separator = u',');

// The separator as a message names it: the character, or "табуляция".
QString separatorName(QChar separator);

// Decodes a file's bytes as UTF-8 (a leading byte-order mark is dropped);
// throws KtError when they are not UTF-8.
QString decodeUtf8Strict(const QByteArray& bytes, const QString& fileName);

} // namespace kt
