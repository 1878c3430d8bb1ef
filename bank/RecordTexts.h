// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "bank/BankRecord.h"

#include <QStringView>

namespace kt {

// The records of a question table as full Unicode texts, read in place: the
// check of a bank reads every field of 100 000 records, and needs no copy
// of any of them.
class RecordTexts {
public:
    virtual ~RecordTexts() = default;
    virtual qsizetype size() const = 0;
    // The field's text; empty for a null.
    virtual QStringView text(qsizetype row, int field) const = 0;
    virtual bool isNull(qsizetype row, int field) const = 0;
};

// A table of records, as the editor keeps them, read the same way.
class TableTexts final : public RecordTexts {
public:
    explicit TableTexts(const BankTable& table) : m_table(table) {}
    qsizetype size() const override { return static_cast<qsizetype>(m_table.size()); }
    QStringView text(qsizetype row, int field) const override {
        return m_table[static_cast<size_t>(row)].text[static_cast<size_t>(field)];
    }
    bool isNull(qsizetype row, int field) const override {
        return m_table[static_cast<size_t>(row)].isNull[static_cast<size_t>(field)];
    }

private:
    const BankTable& m_table;
};

// Takes the records of a read one at a time, as they are decoded, so that
// a tool can look through a large bank without keeping it whole. A read
// that fails later still fails: what was made of the records so far is
// then to be dropped.
class RawRecordSink {
public:
    virtual ~RawRecordSink() = default;
    // How many records the file says the table holds, before the first: a
    // hint, to make room once.
    virtual void expect(qsizetype records) { Q_UNUSED(records); }
    // The next record: row 0 of `record`, valid during the call only.
    virtual void take(const RecordTexts& record) = 0;
};

} // namespace kt
