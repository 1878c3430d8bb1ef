// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "bank/import/BankCsv.h"
#include "csv/CsvDialect.h"

#include <QByteArray>
#include <QIODevice>
#include <QStringList>
#include <functional>
#include <optional>
#include <vector>

namespace kt {

// How a CSV file of questions is to be read.
struct ImportOptions {
    CsvEncoding encoding = CsvEncoding::Detect;
    QChar separator; // null: taken from the header line
    // The subject of every record when the file has no "Предмет" column.
    std::optional<QString> subject;
    // The sheet of a workbook to read; empty: the first one.
    QString sheet;
    // Test fixtures only: the header shapes the table as bankTableFromCsv
    // reads it (any columns, forced types), so the bank may be one the
    // program refuses. Teachers' files never take this road.
    bool fixture = false;
    bool addCounter = true; // fixture only
};

// One thing wrong with the file. Each problem stops the bank from being
// written; all of them are collected so that one run lists them all.
struct ImportProblem {
    int line = 0;   // line of the file, from 1; 0: the file as a whole
    int field = 0;  // position in the record, from 1, when no column is named
    QString column; // the column's name from the header, or empty
    QString text;   // what is wrong, in Russian
};

struct ImportResult {
    // The table to write: for a teacher's file always the ten standard
    // columns in field order ("Счетчик" left to the writer).
    BankCsvTable table;
    std::vector<ImportProblem> problems;
    QStringList warnings; // read on, but the teacher should know
    // A file can hold millions of faulty lines: beyond the first
    // kImportKeptMessages of each, only their number is kept.
    qint64 problemsLeftOut = 0;
    qint64 warningsLeftOut = 0;
    qint64 recordCount = 0; // records read, also those handed to a sink
    CsvEncoding encoding = CsvEncoding::Utf8;
    QChar separator = u',';
    bool ok() const { return problems.empty(); }
};

// Reads a CSV file of questions: encoding and separator, header names
// matched after trimming and without regard to case, "ВернОтв" as 1-5 or a
// letter А-Д / A-E, texts restored from their formula-safe form and stored
// exactly. Never throws for bad input: everything wrong is in `problems`.
ImportResult importBankCsv(const QByteArray& fileBytes, const ImportOptions& options = {});

constexpr int kImportKeptMessages = 1000;

// Receives each record's row as soon as it is read, as long as the file has
// shown no problem.
using ImportRowSink = std::function<void(JetRow&&)>;

// The same reading of a teacher's file from its device, one record at a
// time: the rows go to `sink` instead of `table.rows`, and memory stays
// bounded whatever the file holds (see the limits of CsvReader). A seekable
// device is read twice, the first time only to find its encoding. Fixtures
// are read whole. What the sink throws is passed on.
ImportResult importBankCsv(QIODevice& file, const ImportOptions& options,
                           const ImportRowSink& sink);

// The same reading of a workbook's sheet (.xlsx, .ods: see workbookKind),
// its rows numbered as the spreadsheet shows them. A file that cannot be
// read as a workbook (an old .xls among them) is one problem of the file.
ImportResult importBankWorkbook(const QString& path, const ImportOptions& options,
                                const ImportRowSink& sink);

// "Строка 3, столбец «ВернОтв»: ...", "Строка 2, поле 2: ...", "Строка 4: ...".
QString formatImportProblem(const ImportProblem& problem);
// Problems one per line, at most `limit` of them, then how many were left
// out (with `leftOut` more that were not kept).
QString formatImportProblems(const std::vector<ImportProblem>& problems, int limit = 100,
                             qint64 leftOut = 0);

} // namespace kt
