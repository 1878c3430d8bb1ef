// SPDX-License-Identifier: GPL-3.0-or-later
#include "bank/CompactBank.h"

#include "bank/Cp1251.h"

#include <algorithm>

namespace kt {

CompactBank CompactBank::fromTable(const BankTable& table) {
    CompactBank out;
    out.reserve(static_cast<qsizetype>(table.size()));
    for (const BankRecord& r : table) {
        char* dst = out.recordBuffer();
        std::array<quint16, FieldCountTotal> ends{};
        quint16 nulls = 0;
        qsizetype at = 0;
        for (int f = 0; f < FieldCountTotal; ++f) {
            const auto k = static_cast<size_t>(f);
            const QByteArray bytes = encodeCp1251(cp1251Text(r.text[k], kMaxField));
            std::copy(bytes.cbegin(), bytes.cend(), dst + at);
            at += bytes.size();
            ends[k] = static_cast<quint16>(at);
            if (r.isNull[k])
                nulls |= static_cast<quint16>(1u << f);
        }
        out.commitRecord(ends, nulls);
    }
    return out;
}

void CompactBank::reserve(qsizetype records) {
    m_store.reserve(records);
}

char* CompactBank::recordBuffer() {
    return m_store.recordBuffer(kRecordRoom);
}

void CompactBank::commitRecord(const std::array<quint16, FieldCountTotal>& ends, quint16 nulls) {
    m_store.commit(ends, nulls);
}

QByteArrayView CompactBank::bytes(qsizetype row, int field) const {
    qsizetype length = 0;
    const char* data = m_store.field(row, field, &length);
    return QByteArrayView(data, length);
}

bool CompactBank::isNull(qsizetype row, int field) const {
    return m_store.isNull(row, field);
}

QString CompactBank::text(qsizetype row, int field) const {
    const QByteArrayView b = bytes(row, field);
    return decodeCp1251(QByteArray::fromRawData(b.data(), b.size()));
}

BankRecord CompactBank::record(qsizetype row) const {
    BankRecord r;
    for (int f = 0; f < FieldCountTotal; ++f) {
        r.text[static_cast<size_t>(f)] = text(row, f);
        r.isNull[static_cast<size_t>(f)] = isNull(row, f);
    }
    return r;
}

} // namespace kt
