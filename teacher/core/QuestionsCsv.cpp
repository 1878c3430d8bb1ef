// SPDX-License-Identifier: GPL-3.0-or-later
#include "teacher/core/QuestionsCsv.h"

#include "bank/KtError.h"
#include "bank/import/BankImport.h"

namespace kt {
namespace {

// The importer gives the ten standard columns in field order; the editor
// numbers the records itself, so "Счетчик" stays empty here.
BankRecord recordOf(const JetRow& row) {
    BankRecord r;
    for (size_t f = 0; f < row.size() && f < static_cast<size_t>(FieldCountTotal); ++f) {
        if (static_cast<int>(f) == FieldCounter)
            continue;
        r.text[f] = row[f].value_or(QString());
        r.isNull[f] = isNumberField(static_cast<int>(f)) && !row[f].has_value();
    }
    return r;
}

} // namespace

ImportedQuestions readQuestionsCsv(const QByteArray& bytes, const QString& fileName) {
    const ImportResult result = importBankCsv(bytes);
    if (!result.ok())
        throw KtError(
            QStringLiteral("Файл «%1» не прочитан:\n%2")
                .arg(fileName, formatImportProblems(result.problems, 20, result.problemsLeftOut)));
    ImportedQuestions out;
    out.warnings = result.warnings;
    out.records.reserve(result.table.rows.size());
    for (const JetRow& row : result.table.rows)
        out.records.push_back(recordOf(row));
    return out;
}

QByteArray writeQuestionsCsv(const BankTable& records) {
    QString text = bankCsvHeader();
    for (const BankRecord& r : records)
        text += bankCsvRecord(r);
    return text.toUtf8();
}

} // namespace kt
