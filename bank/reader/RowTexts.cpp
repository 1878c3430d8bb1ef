// SPDX-License-Identifier: GPL-3.0-or-later
#include "bank/reader/RowTexts.h"

#include "bank/reader/JetText.h"

#include <algorithm>

namespace kt {

std::array<int, FieldCountTotal> RowTexts::noColumns() {
    std::array<int, FieldCountTotal> a{};
    a.fill(-1);
    return a;
}

// libmdb leaves the page of the row it has just handed out in pg_buf and
// has moved cur_row one past it; cracking that row again gives the same
// fields libmdb bound from.
bool RowTexts::read(MdbTableDef* t) {
    MdbHandle* mdb = t->entry->mdb;
    int start = 0;
    size_t size = 0;
    if (t->cur_row == 0 || mdb_find_row(mdb, static_cast<int>(t->cur_row) - 1, &start, &size) != 0)
        return false;
    m_fields.assign(t->num_cols, MdbField{});
    if (mdb_crack_row(t, start & 0x1FFF, size, m_fields.data()) < 0)
        return false;
    for (std::string& s : m_texts)
        s.clear();
    for (const MdbField& f : m_fields)
        if (!decode(mdb, f))
            return false;
    return true;
}

bool RowTexts::decode(MdbHandle* mdb, const MdbField& f) {
    for (size_t k = 0; k < m_columns.size(); ++k) {
        if (m_columns[k] != f.colnum)
            continue;
        if (f.is_null || f.siz <= 0)
            return true;
        const int page = static_cast<int>(std::min<guint32>(mdb->fmt->pg_size, MDB_PGSIZE));
        if (f.start < 0 || f.start > page - f.siz)
            return false;
        appendJetTextUtf8(mdb->pg_buf + f.start, static_cast<size_t>(f.siz), m_texts[k]);
        return true;
    }
    return true;
}

} // namespace kt
