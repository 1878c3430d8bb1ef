// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "bank/BankRecord.h"
#include "bank/ReaderProtocol.h"

#include <QByteArray>
#include <optional>

namespace kt {

// Receives the question table as the reader walks it.
class RecordSink {
public:
    virtual ~RecordSink() = default;
    // All ten fields were found in columns of their types; the table says
    // it holds this many records (a hint: a damaged file may say anything).
    virtual void ColumnsBound(quint32 expectedRecords) = 0;
    // The fields as libmdb leaves them, valid until the call returns.
    virtual void Record(const RecordFields& record) = 0;
    // Called now and then during long work that yields no record yet.
    virtual void StillWorking() {}
};

// The type name the bank reports for a Jet column type in its messages.
QString jetTypeName(int mdbColumnType, bool autoIncrement);

// Reads the question table of the database file at `path` (in the local
// 8-bit file name encoding) into `sink`: the ten fields bound by name,
// records in the file's order, texts in full. Returns the reason when the
// table cannot be had; the sink may then have seen part of it.
std::optional<ReaderError> readBankFile(const QByteArray& path, const QString& tableName,
                                        RecordSink& sink);

// The same over a database image in memory.
std::optional<ReaderError> readBankImage(const QByteArray& image, const QString& tableName,
                                         RecordSink& sink);

} // namespace kt
