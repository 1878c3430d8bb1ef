// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "bank/RecordTexts.h"
#include "teacher/core/BankRows.h"
#include "teacher/core/RecentTexts.h"

namespace kt {

// Keeps the records of a read as the editor keeps them, each in its own
// allocation. The texts that many records repeat ("ВернОтв", "Метка",
// "Предмет") are shared between them rather than copied: in a bank of a
// million records that is three million allocations fewer. A change of one
// record's copy leaves the others as they are.
class RecordCollector final : public RawRecordSink {
public:
    void expect(qsizetype records) override;
    void take(const RecordTexts& record) override { add(record, 0); }
    // Keeps row `row` of `from` after the others; returns the kept record.
    const BankRecord& add(const RecordTexts& from, qsizetype row);
    RecordHandles takeRecords() { return std::move(m_records); }

private:
    RecordHandles m_records;
    std::array<RecentTexts, FieldCountTotal> m_repeated; // used for the repeated fields only
};

} // namespace kt
