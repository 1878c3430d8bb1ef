// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QtGlobal>
#include <functional>
#include <memory>

// libmdb's header needs these in front of it when compiled as C++.
#include <glib.h>
#include <iconv.h>
#include <mdbtools.h>

namespace kt {

// What every walk of a Jet file through libmdb needs, with the checks that
// keep libmdb inside the file on a damaged one.

// Page 2 of every Jet file holds the definition of the system catalog.
constexpr unsigned long kCatalogPage = 2;

struct TableDeleter {
    void operator()(MdbTableDef* t) const { mdb_free_tabledef(t); }
};
using TablePtr = std::unique_ptr<MdbTableDef, TableDeleter>;

struct HandleDeleter {
    void operator()(MdbHandle* h) const { mdb_close(h); }
};
using HandlePtr = std::unique_ptr<MdbHandle, HandleDeleter>;

MdbColumn* columnAt(MdbTableDef* t, guint index);

// A catalog entry for the table whose definition starts on `page`.
MdbCatalogEntry tableEntry(MdbHandle* mdb, unsigned long page, const char* name);

// Reads a table definition with its columns, or nullptr. A table whose usage
// map is empty or of an unknown kind, or names a page past the end of the
// file, is refused: libmdb would dereference the missing map, or take a page
// it cannot read for the end of the table and hand out part of it. The walk
// of a large map reads a page per step; `stillWorking` (when set) is called
// now and then meanwhile. The table keeps a pointer to its entry: the entry
// must outlive it.
TablePtr openCheckedTable(MdbCatalogEntry* entry, const std::function<void()>& stillWorking = {});

} // namespace kt
