// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "csv/CsvTable.h"

#include <QStringList>

#include <vector>

namespace kt {

// Collects the cells of a sheet, given row by row in the order of the file,
// into records of the import's form. Cells without a value are not stored,
// so a row's width ends at its last value.
class SheetRows {
public:
    explicit SheetRows(QString path) : m_path(std::move(path)) {}
    // `row` and `column` from 1. Throws KtError for a cell beyond the CSV
    // reader's limits, which no sheet of questions comes near.
    void add(int row, int column, const QString& text, bool isText);
    std::vector<CsvRecord> take() { return std::move(m_rows); }

private:
    QString m_path;
    std::vector<CsvRecord> m_rows;
};

// "В файле «…» нет листа «…». Листы книги: «…», «…»".
QString missingSheet(const QString& path, const QString& sheet, const QStringList& names);

} // namespace kt
