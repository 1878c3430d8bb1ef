// SPDX-License-Identifier: GPL-3.0-or-later
#include "bank/import/BankCsv.h"

#include "bank/jet/JetValue.h"
#include "csv/CsvWriter.h"

#include <QSet>

namespace kt {
namespace {

int standardIndex(const QString& name) {
    const auto& names = bankFieldNames();
    for (int i = 0; i < FieldCountTotal; ++i)
        if (names[i] == name)
            return i;
    return -1;
}

JetColumn headerColumn(const CsvCell& cell, int line, int index) {
    const int colon = static_cast<int>(cell.text.lastIndexOf(u':'));
    const QString name = (colon < 0 ? cell.text : cell.text.left(colon)).trimmed();
    if (name.isEmpty())
        throw CsvError(line, index, QStringLiteral("пустое имя столбца в заголовке"));
    const int known = standardIndex(name);
    JetColumn column =
        known >= 0 ? standardBankColumns()[known] : JetColumn{name, JetType::Text, 255};
    if (colon >= 0 && !parseJetTypeName(cell.text.mid(colon + 1), column))
        throw CsvError(line, index,
                       QStringLiteral("неизвестный тип «%1» у столбца «%2»")
                           .arg(cell.text.mid(colon + 1).trimmed(), name));
    return column;
}

std::vector<JetColumn> headerColumns(const CsvRecord& header) {
    std::vector<JetColumn> columns;
    QSet<QString> seen;
    for (const CsvCell& cell : header.cells) {
        columns.push_back(headerColumn(cell, header.line, static_cast<int>(columns.size()) + 1));
        if (seen.contains(columns.back().name))
            throw CsvError(header.line, static_cast<int>(columns.size()),
                           QStringLiteral("столбец «%1» указан дважды").arg(columns.back().name));
        seen.insert(columns.back().name);
    }
    return columns;
}

JetRow csvRow(const CsvRecord& record, const std::vector<JetColumn>& columns) {
    if (record.cells.size() != columns.size())
        throw KtError(QStringLiteral("Строка %1: полей %2, а в заголовке столбцов %3")
                          .arg(record.line)
                          .arg(record.cells.size())
                          .arg(columns.size()));
    JetRow row(columns.size());
    for (size_t i = 0; i < columns.size(); ++i) {
        const CsvCell& cell = record.cells[i];
        if (columns[i].type == JetType::AutoLong || (cell.text.isEmpty() && !cell.quoted))
            continue;
        const JetEncoded value = encodeJetValue(columns[i], cell.text);
        if (!value.problem.isEmpty())
            throw KtError(QStringLiteral("Строка %1, столбец «%2»: %3")
                              .arg(record.line)
                              .arg(columns[i].name, value.problem));
        row[i] = cell.text;
    }
    return row;
}

// The counter goes where the standard table keeps it: just before the subject.
void addCounterColumn(BankCsvTable& table) {
    const QString& counter = bankFieldNames()[FieldCounter];
    size_t at = table.columns.size();
    for (size_t i = 0; i < table.columns.size(); ++i) {
        if (table.columns[i].name == counter)
            return;
        if (table.columns[i].name == bankFieldNames()[FieldSubject])
            at = i;
    }
    table.columns.insert(table.columns.begin() + static_cast<long>(at),
                         standardBankColumns()[FieldCounter]);
    for (JetRow& row : table.rows)
        row.insert(row.begin() + static_cast<long>(at), std::nullopt);
}

} // namespace

BankCsvTable bankTableFromCsv(const QString& csvText, bool addCounter, QChar separator) {
    const std::vector<CsvRecord> records = parseCsv(csvText, separator);
    if (records.empty())
        throw KtError(QStringLiteral("Файл CSV пуст: нет строки заголовка"));
    BankCsvTable table;
    table.columns = headerColumns(records.front());
    for (size_t r = 1; r < records.size(); ++r)
        table.rows.push_back(csvRow(records[r], table.columns));
    if (addCounter)
        addCounterColumn(table);
    return table;
}

namespace {
constexpr int kExportFields[] = {0, 1, 2, 3, 4, 5, FieldRightAnswer, FieldMark, FieldSubject};
} // namespace

QString bankCsvHeader(QChar separator) {
    std::vector<std::optional<QString>> names;
    for (int f : kExportFields)
        names.push_back(bankFieldNames()[f]);
    return formatCsvRecord(names, separator);
}

QString bankCsvRecord(const RecordTexts& records, qsizetype row, QChar separator) {
    std::vector<std::optional<QString>> fields;
    // The reader gives a NULL text as an empty one; an empty field keeps the
    // usual form of an unfilled field in a bank, NULL.
    for (int f : kExportFields) {
        const QStringView text = records.text(row, f);
        if (records.isNull(row, f) || text.isEmpty())
            fields.push_back(std::nullopt);
        else
            fields.push_back(isTextField(f) ? neutraliseFormula(text.toString()) : text.toString());
    }
    return formatCsvRecord(fields, separator);
}

QString bankCsvRecord(const BankRecord& record, QChar separator) {
    const BankTable one{record};
    return bankCsvRecord(TableTexts(one), 0, separator);
}

} // namespace kt
