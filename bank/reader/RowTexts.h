// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "bank/BankRecord.h"

#include <QByteArrayView>

#include <array>
#include <string>
#include <vector>

// libmdb's header needs these in front of it when compiled as C++.
#include <glib.h>
#include <iconv.h>
#include <mdbtools.h>

namespace kt {

// The question table's texts, taken from the bytes of the row libmdb has
// just handed out. libmdb's own conversion goes through iconv from UCS-2,
// which turns each half of a surrogate pair into "?", so the text columns
// are left unbound and decoded here; the numbers stay bound to libmdb.
class RowTexts {
public:
    // Field `field` is held in column `columnIndex`.
    void add(int field, int columnIndex) { m_columns[static_cast<size_t>(field)] = columnIndex; }
    bool has(int field) const { return m_columns[static_cast<size_t>(field)] >= 0; }
    // False when the row's fields do not lie within its page.
    bool read(MdbTableDef* t);
    QByteArrayView bytes(int field) const {
        const std::string& s = m_texts[static_cast<size_t>(field)];
        return QByteArrayView(s.data(), static_cast<qsizetype>(s.size()));
    }

private:
    static std::array<int, FieldCountTotal> noColumns();
    bool decode(MdbHandle* mdb, const MdbField& f);

    std::array<int, FieldCountTotal> m_columns = noColumns();
    std::array<std::string, FieldCountTotal> m_texts;
    std::vector<MdbField> m_fields;
};

} // namespace kt
