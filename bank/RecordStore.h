// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "bank/BankRecord.h"

#include <QtGlobal>

#include <algorithm>
#include <array>
#include <memory>
#include <vector>

namespace kt {

// Where a record's characters begin in its blocks.
struct BlockPlace {
    quint32 block = 0;
    quint32 offset = 0;
};

// Large blocks that the records of a table are written into one after
// another. A bank holds hundreds of thousands of short texts: a few
// allocations of a megabyte each are far cheaper than one for every text.
template <typename Char> class RecordBlocks {
public:
    // Room for a record of at most `units` characters at the end of the
    // last block, or in a new one; blocks never move once written.
    Char* room(qsizetype units) {
        if (m_blocks.empty() || m_capacity - m_used < units) {
            m_capacity = std::max(kBlockUnits, units);
            m_blocks.emplace_back(new Char[static_cast<size_t>(m_capacity)]);
            m_used = 0;
        }
        return m_blocks.back().get() + m_used;
    }
    // Keeps the first `units` characters written into the last room.
    BlockPlace take(qsizetype units) {
        const BlockPlace place{static_cast<quint32>(m_blocks.size() - 1),
                               static_cast<quint32>(m_used)};
        m_used += units;
        return place;
    }
    const Char* at(BlockPlace place) const { return m_blocks[place.block].get() + place.offset; }
    // Forgets every record; a single block is kept for the next ones, so a
    // table that holds one record at a time never asks for memory again.
    void clear() {
        if (m_blocks.size() > 1) {
            m_blocks.clear();
            m_capacity = 0;
        }
        m_used = 0;
    }

private:
    static constexpr qsizetype kBlockUnits = (1 << 20) / static_cast<qsizetype>(sizeof(Char));

    std::vector<std::unique_ptr<Char[]>> m_blocks;
    qsizetype m_capacity = 0;
    qsizetype m_used = 0;
};

// The records of a question table in blocks: each record's fields one
// after another, and a small index of where each field ends and which are
// null. `End` is wide enough for a whole record's characters.
template <typename Char, typename End> class RecordStore {
public:
    using Ends = std::array<End, FieldCountTotal>;

    void reserve(qsizetype records) {
        m_index.reserve(static_cast<size_t>(std::max<qsizetype>(0, records)));
    }
    // Room for one record of at most `units` characters; its fields are
    // written there and then kept with commit.
    Char* recordBuffer(qsizetype units) { return m_blocks.room(units); }
    // `ends` holds where each field ends in the record buffer; `nulls` has
    // bit i set for a null field i.
    void commit(const Ends& ends, quint16 nulls) {
        m_index.push_back({m_blocks.take(ends.back()), ends, nulls});
    }
    void clear() {
        m_blocks.clear();
        m_index.clear();
    }

    qsizetype size() const { return static_cast<qsizetype>(m_index.size()); }
    // Where the field's characters begin, and how many there are.
    const Char* field(qsizetype row, int field, qsizetype* length) const {
        const RecordIndex& r = m_index[static_cast<size_t>(row)];
        const auto f = static_cast<size_t>(field);
        const End begin = f == 0 ? 0 : r.ends[f - 1];
        *length = r.ends[f] - begin;
        return m_blocks.at(r.place) + begin;
    }
    bool isNull(qsizetype row, int field) const {
        return (m_index[static_cast<size_t>(row)].nulls >> field) & 1u;
    }

private:
    struct RecordIndex {
        BlockPlace place;
        Ends ends{};
        quint16 nulls = 0;
    };

    RecordBlocks<Char> m_blocks;
    std::vector<RecordIndex> m_index;
};

} // namespace kt
