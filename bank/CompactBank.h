// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "bank/BankRecord.h"
#include "bank/RecordStore.h"

#include <QByteArrayView>
#include <memory>
#include <vector>

namespace kt {

// The question table as the program keeps it between reads. The program
// carries every text as the code page's bytes, one byte a character, so the
// records are kept that way: their bytes lie one after another in large
// blocks, and each record has a small index of where its fields end. A
// record of ten QStrings would take four to five times as much.
class CompactBank {
public:
    // No field is kept longer than this: texts are cut at 255 characters and
    // the number fields are far shorter.
    static constexpr int kMaxField = 255;

    CompactBank() = default;
    CompactBank(CompactBank&&) noexcept = default;
    CompactBank& operator=(CompactBank&&) noexcept = default;

    // Records with the code page rules applied to every field.
    static CompactBank fromTable(const BankTable& table);

    void reserve(qsizetype records);
    // Room for one record of up to FieldCountTotal * kMaxField bytes; the
    // fields are written there and then committed with commitRecord.
    char* recordBuffer();
    // `ends` holds where each field ends in the record buffer; `nulls` has
    // bit i set for a null field i.
    void commitRecord(const std::array<quint16, FieldCountTotal>& ends, quint16 nulls);

    qsizetype size() const { return m_store.size(); }
    bool empty() const { return m_store.size() == 0; }
    // The field's text; empty for a null.
    QString text(qsizetype row, int field) const;
    // The field's bytes in the code page.
    QByteArrayView bytes(qsizetype row, int field) const;
    bool isNull(qsizetype row, int field) const;
    // The record as the rest of the program's tools take it.
    BankRecord record(qsizetype row) const;

private:
    static constexpr qsizetype kRecordRoom = FieldCountTotal * kMaxField;

    RecordStore<char, quint16> m_store;
};

} // namespace kt
