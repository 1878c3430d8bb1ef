// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "bank/BankRecord.h"
#include "bank/RecordTexts.h"

#include <iterator>
#include <memory>
#include <vector>

namespace kt {

// The editor keeps each record in its own allocation and the rows as a
// vector of handles: an Insert or a Delete in the middle of a million
// records moves eight bytes a row, not a whole record.
using RecordHandles = std::vector<std::unique_ptr<BankRecord>>;

// Room for a list of `count` entries and those a teacher adds after the
// opening: the first Insert into a full list of a million would copy it
// whole. Room not yet used costs no memory.
inline size_t withRoomToGrow(size_t count) {
    return count + count / 8 + 256;
}

// The records in row order, read in place from either a plain table or the
// editor's handles: what saving, exporting and checking walk through.
class BankRows final : public RecordTexts {
public:
    // Implicit on purpose: a plain table is read as it stands.
    BankRows(const BankTable& table) : m_table(&table) {}
    BankRows(const RecordHandles& handles) : m_handles(&handles) {}

    size_t count() const { return m_table ? m_table->size() : m_handles->size(); }
    bool empty() const { return count() == 0; }
    const BankRecord& operator[](size_t row) const {
        return m_table ? (*m_table)[row] : *(*m_handles)[row];
    }
    const BankRecord& front() const { return (*this)[0]; }

    qsizetype size() const override { return static_cast<qsizetype>(count()); }
    QStringView text(qsizetype row, int field) const override {
        return (*this)[static_cast<size_t>(row)].text[static_cast<size_t>(field)];
    }
    bool isNull(qsizetype row, int field) const override {
        return (*this)[static_cast<size_t>(row)].isNull[static_cast<size_t>(field)];
    }

    class const_iterator {
    public:
        using iterator_category = std::forward_iterator_tag;
        using value_type = BankRecord;
        using difference_type = std::ptrdiff_t;
        using pointer = const BankRecord*;
        using reference = const BankRecord&;

        const_iterator(const BankRows* rows, size_t row) : m_rows(rows), m_row(row) {}
        reference operator*() const { return (*m_rows)[m_row]; }
        pointer operator->() const { return &(*m_rows)[m_row]; }
        const_iterator& operator++() {
            ++m_row;
            return *this;
        }
        bool operator==(const const_iterator& other) const { return m_row == other.m_row; }
        bool operator!=(const const_iterator& other) const { return m_row != other.m_row; }

    private:
        const BankRows* m_rows;
        size_t m_row;
    };
    const_iterator begin() const { return {this, 0}; }
    const_iterator end() const { return {this, count()}; }

    // A plain copy, for the few who need one.
    BankTable table() const { return BankTable(begin(), end()); }

private:
    const BankTable* m_table = nullptr;
    const RecordHandles* m_handles = nullptr;
};

} // namespace kt
