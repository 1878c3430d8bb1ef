// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "bank/BankRecord.h"
#include "teacher/core/BankRows.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace kt {

// Questions read from a spreadsheet's CSV file, with what the teacher should
// know about the file (columns left out and the like).
struct ImportedQuestions {
    BankTable records;
    QStringList warnings;
};

// Reads a spreadsheet saved as CSV, in any of the forms qbank import takes
// (encoding and separator found from the file). Throws KtError listing every
// problem of the file, each with its line and column.
ImportedQuestions readQuestionsCsv(const QByteArray& bytes, const QString& fileName);

// Reads the questions of a file as qbank import does: the first sheet of a
// workbook (.xlsx, .ods) or a CSV file. Throws KtError as above, also when
// the file cannot be opened.
ImportedQuestions readQuestionsFile(const QString& path);

// The bank as CSV in the form qbank export --excel writes, which a
// spreadsheet opens with a double click (semicolons, CR LF, Windows-1251
// when every text fits it).
QByteArray writeQuestionsCsv(const BankRows& records);

} // namespace kt
