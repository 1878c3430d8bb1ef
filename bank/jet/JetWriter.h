// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <memory>
#include <optional>
#include <vector>

namespace kt {

// Column types a bank file can carry. AutoLong is a Long Integer numbered by
// the writer (1, 2, 3... in row order).
enum class JetType {
    Boolean,
    Byte,
    Integer,
    Long,
    AutoLong,
    Currency,
    Single,
    Double,
    DateTime,
    Text,
    Memo
};

struct JetColumn {
    QString name;
    JetType type;
    int maxLength = 255; // Text only, in characters
};

// One value per column in column order; nullopt = NULL. AutoLong values are
// ignored (numbered 1, 2, 3...).
using JetRow = std::vector<std::optional<QString>>;

// Writes a NEW Jet 4 file (temporary file + rename; no partial output on
// error) holding one table. Throws KtError.
void writeJetDatabase(const QString& path, const QString& tableName,
                      const std::vector<JetColumn>& columns, const std::vector<JetRow>& rows);

// How a write numbers the AutoLong column.
struct JetWriteOptions {
    // Take the AutoLong values from the rows (unique, 1 and up; a NULL gets
    // the next number after the largest before it) instead of 1, 2, 3...,
    // so that rewriting a bank keeps its record counters. The table's next
    // number continues after the largest.
    bool keepAutoNumbers = false;
};

// The same write with the options above.
void writeJetDatabase(const QString& path, const QString& tableName,
                      const std::vector<JetColumn>& columns, const std::vector<JetRow>& rows,
                      const JetWriteOptions& options);

// Writes a NEW Jet 4 file row by row: the pages go to a temporary file
// beside `path` as they fill, the table's definition and usage maps are
// put in place at commit(), which then renames the file over `path`. A
// writer destroyed without commit() leaves nothing behind, so a failure at
// any row keeps the file at `path` as it was. The rows are never all in
// memory; the same rows give the same bytes as writeJetDatabase. Throws
// KtError.
class JetFileWriter {
public:
    JetFileWriter(const QString& path, const QString& tableName, std::vector<JetColumn> columns,
                  const JetWriteOptions& options = {});
    ~JetFileWriter();
    JetFileWriter(const JetFileWriter&) = delete;
    JetFileWriter& operator=(const JetFileWriter&) = delete;

    void addRow(const JetRow& row);
    qint64 rowCount() const;
    void commit();

private:
    struct State;
    void flushPage();
    void writePage(const QByteArray& page);
    std::unique_ptr<State> m_state;
};

// The ten fields of the question table in their Jet types, in field order.
std::vector<JetColumn> standardBankColumns();

} // namespace kt
