#pragma once

#include "KtError.h"

#include <QString>
#include <optional>
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

private:
    int m_line;
    int m_column;
};

// Parses CSV after RFC 4180: fields separated by commas, records by CRLF or
// LF, fields with commas, quotes or line breaks in double quotes, a quote in
// such a field doubled. Lines with nothing on them are skipped.
std::vector<CsvRecord> parseCsv(const QString& text);

// Decodes a file's bytes as UTF-8 (a leading byte-order mark is dropped);
// throws KtError when they are not UTF-8.
QString decodeUtf8Strict(const QByteArray& bytes, const QString& fileName);

// One record in the same format; nullopt gives an empty field, an empty
// text gives "". Ends with CRLF.
QString formatCsvRecord(const std::vector<std::optional<QString>>& fields);

} // namespace kt
