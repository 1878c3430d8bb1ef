// SPDX-License-Identifier: GPL-3.0-or-later
#include "teacher/core/QuestionsCsv.h"

#include "bank/Cp1251.h"
#include "bank/KtError.h"
#include "bank/import/BankImport.h"
#include "bank/import/workbook/Workbook.h"
#include "csv/SpreadsheetCsv.h"
#include "report/ReportReasons.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

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

ImportedQuestions importedOf(const ImportResult& result, const QString& fileName) {
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

} // namespace

ImportedQuestions readQuestionsCsv(const QByteArray& bytes, const QString& fileName) {
    return importedOf(importBankCsv(bytes), fileName);
}

ImportedQuestions readQuestionsFile(const QString& path) {
    const QString name = QFileInfo(path).fileName();
    if (workbookKind(path) != WorkbookKind::NotWorkbook) {
        std::vector<JetRow> rows;
        ImportResult result =
            importBankWorkbook(path, {}, [&](JetRow&& row) { rows.push_back(std::move(row)); });
        result.table.rows = std::move(rows);
        return importedOf(result, name);
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw KtError(QStringLiteral("Не удалось открыть «%1»: %2")
                          .arg(QDir::toNativeSeparators(path), openFailureReason(path)));
    return readQuestionsCsv(file.readAll(), name);
}

QByteArray writeQuestionsCsv(const BankRows& records) {
    bool fits = true;
    QString text = bankCsvHeader(kSpreadsheetSeparator);
    for (const BankRecord& r : records) {
        for (int f = 0; f < FieldCountTotal && fits; ++f)
            fits = fitsCp1251(r.text[f]);
        text += bankCsvRecord(r, kSpreadsheetSeparator);
    }
    const CsvFileForm form = CsvFileForm::spreadsheet(fits);
    return form.start() + form.encode(text);
}

} // namespace kt
