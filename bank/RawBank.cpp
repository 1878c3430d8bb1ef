// SPDX-License-Identifier: GPL-3.0-or-later
#include "bank/RawBank.h"

#include <algorithm>

namespace kt {

void RawBank::append(const RecordTexts& from, qsizetype row, quint16 fields) {
    qsizetype units = 0;
    for (int f = 0; f < FieldCountTotal; ++f)
        if ((fields >> f) & 1u)
            units += from.text(row, f).size();
    char16_t* dst = recordBuffer(units);
    std::array<quint32, FieldCountTotal> ends{};
    quint16 nulls = 0;
    quint32 at = 0;
    for (int f = 0; f < FieldCountTotal; ++f) {
        if ((fields >> f) & 1u) {
            const QStringView text = from.text(row, f);
            std::copy(text.utf16(), text.utf16() + text.size(), dst + at);
            at += static_cast<quint32>(text.size());
            if (from.isNull(row, f))
                nulls |= static_cast<quint16>(1u << f);
        }
        ends[static_cast<size_t>(f)] = at;
    }
    commitRecord(ends, nulls);
}

QStringView RawBank::text(qsizetype row, int field) const {
    qsizetype length = 0;
    const char16_t* data = m_store.field(row, field, &length);
    return QStringView(data, length);
}

BankTable RawBank::toTable() const {
    BankTable table(static_cast<size_t>(size()));
    for (qsizetype row = 0; row < size(); ++row)
        for (int f = 0; f < FieldCountTotal; ++f) {
            BankRecord& r = table[static_cast<size_t>(row)];
            r.text[static_cast<size_t>(f)] = text(row, f).toString();
            r.isNull[static_cast<size_t>(f)] = isNull(row, f);
        }
    return table;
}

} // namespace kt
