// SPDX-License-Identifier: GPL-3.0-or-later
#include "bank/import/workbook/SheetRows.h"

#include <QDir>

namespace kt {

void SheetRows::add(int row, int column, const QString& text, bool isText) {
    if (text.isEmpty() && !isText)
        return;
    if (column < 1 || column > kCsvMaxFields || text.size() > kCsvMaxFieldLength || row < 1)
        throw KtError(QStringLiteral("Файл «%1», строка %2: ячейка за пределами таблицы вопросов "
                                     "(больше %3 столбцов или %4 символов)")
                          .arg(QDir::toNativeSeparators(m_path))
                          .arg(row)
                          .arg(kCsvMaxFields)
                          .arg(kCsvMaxFieldLength));
    if (m_rows.empty() || m_rows.back().line != row)
        m_rows.push_back({row, {}});
    std::vector<CsvCell>& cells = m_rows.back().cells;
    if (cells.size() < static_cast<size_t>(column))
        cells.resize(static_cast<size_t>(column));
    cells[static_cast<size_t>(column - 1)] = {text, isText};
}

QString missingSheet(const QString& path, const QString& sheet, const QStringList& names) {
    QStringList quoted;
    for (const QString& n : names)
        quoted << QStringLiteral("«%1»").arg(n);
    return QStringLiteral("В файле «%1» нет листа «%2». Листы книги: %3")
        .arg(QDir::toNativeSeparators(path), sheet, quoted.join(QStringLiteral(", ")));
}

} // namespace kt
