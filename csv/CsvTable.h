// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "bank/KtError.h"

#include <QString>
#include <functional>
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
    // The row a spreadsheet shows the record in, from 1: lines of the file
    // counted outside quotes, so a cell holding a line break is one row.
    int line = 0;
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

// Sizes no real table of questions comes near (its texts are at most 255
// characters, a spreadsheet row a few dozen cells). A file beyond them is
// damaged or not a table at all; it is refused before it can fill memory.
constexpr int kCsvMaxFields = 1000;          // fields of one record
constexpr int kCsvMaxFieldLength = 100000;   // characters of one field
constexpr int kCsvMaxRecordLength = 1000000; // characters of one record, separators included

// Where a streamed parse takes its text from: each call gives the next
// piece, an empty one at the end.
using CsvTextSource = std::function<QString()>;

// Reads CSV (as parseCsv below) one record at a time, holding only the
// record being read and one piece of the text. Throws CsvError, also for a
// record beyond the limits above.
class CsvReader {
public:
    CsvReader(CsvTextSource source, QChar separator);
    // The next record that is not blank; false at the end of the text.
    bool next(CsvRecord& record);

private:
    bool have(qsizetype ahead);
    bool more() { return m_pos < m_text.size() || have(0); }
    QChar at(qsizetype ahead = 0) const { return m_text[m_pos + ahead]; }
    bool atLineEnd() const { return at() == u'\n' || at() == u'\r'; }
    void skipLineEnd();
    CsvRecord record();
    CsvCell field(int recordLine, int column);
    CsvCell quotedField(int column);
    void take(CsvCell& cell, QChar c, int line, int column);

    CsvTextSource m_source;
    QChar m_separator;
    QString m_text;       // the unread rest of the piece last taken
    qsizetype m_pos = 0;  // next unread character of m_text
    bool m_ended = false; // the source gave its last piece
    int m_line = 1;
    qsizetype m_recordLength = 0;
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
