#pragma once

#include "RecordBlocks.h"
#include "RecordTexts.h"

#include <array>

namespace kt {

// The question table exactly as the file holds it, full Unicode texts
// uncut, for the teacher's tools. The texts lie one after another as UTF-16
// in large blocks, with a small index per record: a table of ten QStrings a
// record costs a million allocations at 100 000 records, this a few dozen.
class RawBank final : public RecordTexts {
public:
    void reserve(qsizetype records);
    // Room for one record of at most `units` UTF-16 units, its fields one
    // after another; they are then kept with commitRecord.
    char16_t* recordBuffer(qsizetype units) { return m_blocks.room(units); }
    // `ends` holds where each field ends in the record buffer; `nulls` has
    // bit i set for a null field i.
    void commitRecord(const std::array<quint32, FieldCountTotal>& ends, quint16 nulls);
    // Appends the record at `row` of `from` with only the fields of `fields`
    // (bit i for field i); the others are kept empty.
    void append(const RecordTexts& from, qsizetype row, quint16 fields);
    // Forgets every record, keeping memory for the next one.
    void clear();

    qsizetype size() const override { return static_cast<qsizetype>(m_index.size()); }
    QStringView text(qsizetype row, int field) const override;
    bool isNull(qsizetype row, int field) const override;
    // The records as the editor and the export take them.
    BankTable toTable() const;

private:
    struct RecordIndex {
        BlockPlace place;
        std::array<quint32, FieldCountTotal> ends{};
        quint16 nulls = 0;
    };

    RecordBlocks<char16_t> m_blocks;
    std::vector<RecordIndex> m_index;
};

} // namespace kt
