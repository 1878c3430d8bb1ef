#pragma once

#include <QtGlobal>

#include <algorithm>
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

} // namespace kt
