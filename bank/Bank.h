// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "bank/BankSource.h"

namespace kt {

// The question bank as the rest of the program uses it: open, read through a
// static cursor, close. The table is taken whole from the source on Open and
// held only until Close; no file is held while a test runs (a source may
// keep the records it read while its file stays unchanged).
class Bank {
public:
    explicit Bank(BankSource& source) : m_source(source) {}

    void Open(); // throws KtError
    void Close();
    bool IsOpen() const { return m_open; }

    // Moves to the last record and returns its 1-based record number; the
    // number of records, 0 for an empty table.
    int Count();
    void First();
    // Moves k records forward; the move stops at the last record.
    void MoveBy(int k);
    // The current record's field at position i as text; empty for a null.
    QString FieldText(int i) const;
    // The current record's field at position i as an integer; throws KtError
    // for a null or a text that is no number.
    int FieldInteger(int i) const;

    // The records while the bank is open; empty once it is closed.
    const CompactBank& records() const;
    // The same records as a share, for a view that lists them after the
    // bank has closed; nullptr while the bank is closed.
    std::shared_ptr<const CompactBank> sharedRecords() const { return m_table; }

private:
    bool onRecord() const;

    BankSource& m_source;
    std::shared_ptr<const CompactBank> m_table;
    bool m_open = false;
    int m_pos = 0; // 0-based
};

} // namespace kt
