// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "bank/RecordStore.h"
#include "bank/RecordTexts.h"

#include <array>

namespace kt {

// The question table exactly as the file holds it, full Unicode texts
// uncut, for the teacher's tools. The texts lie one after another as UTF-16
// in large blocks, with a small index per record: a table of ten QStrings a
// record costs a million allocations at 100 000 records, this a few dozen.
class RawBank final : public RecordTexts {
public:
    void reserve(qsizetype records) { m_store.reserve(records); }
    // Room for one record of at most `units` UTF-16 units, its fields one
    // after another; they are then kept with commitRecord.
    char16_t* recordBuffer(qsizetype units) { return m_store.recordBuffer(units); }
    // `ends` holds where each field ends in the record buffer; `nulls` has
    // bit i set for a null field i.
    void commitRecord(const std::array<quint32, FieldCountTotal>& ends, quint16 nulls) {
        m_store.commit(ends, nulls);
    }
    // Appends the record at `row` of `from` with only the fields of `fields`
    // (bit i for field i); the others are kept empty.
    void append(const RecordTexts& from, qsizetype row, quint16 fields);
    // Forgets every record, keeping memory for the next one.
    void clear() { m_store.clear(); }

    qsizetype size() const override { return m_store.size(); }
    QStringView text(qsizetype row, int field) const override;
    bool isNull(qsizetype row, int field) const override { return m_store.isNull(row, field); }
    // The records as the editor and the export take them.
    BankTable toTable() const;

private:
    RecordStore<char16_t, quint32> m_store;
};

} // namespace kt
