// SPDX-License-Identifier: GPL-3.0-or-later
#include "bank/reader/MdbSupport.h"

#include <cstdio>
#include <cstring>

namespace kt {
namespace {

constexpr qint64 kStepsPerSign = 1024;

qint64 pageCount(MdbHandle* mdb) {
    FILE* f = mdb->f->stream;
    if (fseeko(f, 0, SEEK_END) != 0)
        return 0;
    return static_cast<qint64>(ftello(f)) / mdb->fmt->pg_size;
}

bool usageMapFitsFile(MdbHandle* mdb, MdbTableDef* t, const std::function<void()>& stillWorking) {
    const qint64 pages = pageCount(mdb);
    guint32 pg = 0;
    for (qint64 steps = 0; steps <= pages; ++steps) {
        if (stillWorking && steps % kStepsPerSign == kStepsPerSign - 1)
            stillWorking();
        const gint32 next =
            mdb_map_find_next(mdb, t->usage_map, static_cast<unsigned>(t->map_sz), pg);
        if (next == 0)
            return true;
        if (next < 0 || next >= pages || static_cast<guint32>(next) <= pg)
            return false;
        pg = static_cast<guint32>(next);
    }
    return false;
}

} // namespace

MdbColumn* columnAt(MdbTableDef* t, guint index) {
    return static_cast<MdbColumn*>(g_ptr_array_index(t->columns, index));
}

MdbCatalogEntry tableEntry(MdbHandle* mdb, unsigned long page, const char* name) {
    MdbCatalogEntry e;
    std::memset(&e, 0, sizeof e);
    e.mdb = mdb;
    e.object_type = MDB_TABLE;
    e.table_pg = page;
    std::snprintf(e.object_name, sizeof e.object_name, "%s", name);
    return e;
}

TablePtr openCheckedTable(MdbCatalogEntry* entry, const std::function<void()>& stillWorking) {
    TablePtr t(mdb_read_table(entry));
    if (!t || !t->usage_map || t->map_sz == 0 || t->usage_map[0] > 1)
        return nullptr;
    if (!mdb_read_columns(t.get()) || t->num_cols == 0 || t->columns->len != t->num_cols)
        return nullptr;
    if (!usageMapFitsFile(entry->mdb, t.get(), stillWorking))
        return nullptr;
    return t;
}

} // namespace kt
