// SPDX-License-Identifier: GPL-3.0-or-later
#include "bank/jet/JetPages.h"

#include "bank/ByteOrder.h"
#include "bank/KtError.h"

namespace kt::jet {
namespace {

QByteArray nullMask(const TableLayout& layout, const std::vector<Cell>& cells) {
    QByteArray mask((static_cast<int>(layout.columns.size()) + 7) / 8, '\0');
    for (size_t i = 0; i < layout.columns.size(); ++i) {
        const ColumnLayout& c = layout.columns[i];
        // A Boolean has no bytes of its own: its bit in the mask is its value.
        const bool bit =
            c.code == CodeBoolean ? cells[i].present && cells[i].flag : cells[i].present;
        if (bit)
            mask[c.number / 8] = static_cast<char>(mask[c.number / 8] | (1 << (c.number % 8)));
    }
    return mask;
}

// A value of another size would shift every later byte of the row (or be
// cut) and the file would read back wrong. The value encoder makes exact
// sizes, so this is the writer's own fault; it is still checked in every
// build, because an unchecked release build would save a damaged bank.
void putFixed(QByteArray& row, const ColumnLayout& c, const QByteArray& bytes) {
    if (bytes.size() != c.size)
        throw KtError(QStringLiteral("Внутренняя ошибка записи: значение столбца «%1» занимает "
                                     "%2 байт вместо %3")
                          .arg(c.name)
                          .arg(bytes.size())
                          .arg(c.size));
    row.replace(2 + c.fixedOffset, c.size, bytes);
}

} // namespace

TableLayout layOut(std::vector<ColumnLayout> columns) {
    TableLayout layout;
    for (size_t i = 0; i < columns.size(); ++i) {
        ColumnLayout& c = columns[i];
        c.number = static_cast<int>(i);
        if (c.fixed) {
            c.fixedOffset = layout.fixedSize;
            c.varIndex = 0;
            layout.fixedSize += c.code == CodeBoolean ? 0 : c.size;
        } else {
            c.varIndex = layout.varCount++;
            c.fixedOffset = 0;
        }
    }
    layout.columns = std::move(columns);
    return layout;
}

// Row: column count, fixed part, variable part, end offset, the variable
// offsets last to first, the variable column count, the null mask.
QByteArray encodeRow(const TableLayout& layout, const std::vector<Cell>& cells) {
    QByteArray row;
    append16(row, static_cast<int>(layout.columns.size()));
    row.append(QByteArray(layout.fixedSize, '\0'));
    std::vector<int> varOffsets(layout.varCount, 0);
    for (size_t i = 0; i < layout.columns.size(); ++i) {
        const ColumnLayout& c = layout.columns[i];
        if (c.fixed && c.code != CodeBoolean && cells[i].present)
            putFixed(row, c, cells[i].bytes);
    }
    for (size_t i = 0; i < layout.columns.size(); ++i) {
        const ColumnLayout& c = layout.columns[i];
        if (c.fixed)
            continue;
        varOffsets[c.varIndex] = row.size();
        if (cells[i].present)
            row.append(cells[i].bytes);
    }
    if (layout.varCount > 0) {
        append16(row, row.size());
        for (int v = layout.varCount - 1; v >= 0; --v)
            append16(row, varOffsets[v]);
        append16(row, layout.varCount);
    }
    row.append(nullMask(layout, cells));
    return row;
}

DataPage::DataPage(std::uint32_t ownerPage) : m_page(kPageSize, '\0') {
    m_page[0] = 0x01;
    m_page[1] = 0x01;
    put32(m_page, 4, ownerPage);
    put16(m_page, 2, freeSpace());
}

bool DataPage::fits(int rowSize) const {
    return m_rows < kMaxRowsPerPage && freeSpace() >= rowSize + 2;
}

int DataPage::add(const QByteArray& row) {
    // Callers ask fits() first, so a row that does not fit is the writer's own
    // fault; it is checked in every build all the same, because writing past
    // the row table would save a damaged page without a word.
    if (!fits(static_cast<int>(row.size())))
        throw KtError(QStringLiteral("Внутренняя ошибка записи: строка в %1 байт не помещается "
                                     "на страницу данных (свободно %2 байт)")
                          .arg(row.size())
                          .arg(freeSpace()));
    m_top -= row.size();
    m_page.replace(m_top, row.size(), row);
    put16(m_page, kDataHeaderSize + 2 * m_rows, m_top);
    ++m_rows;
    put16(m_page, 12, m_rows);
    put16(m_page, 2, freeSpace());
    return m_rows - 1;
}

} // namespace kt::jet
