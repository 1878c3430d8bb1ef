// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "bank/import/BankImport.h"

#include <array>

namespace kt {

// Where each of the ten fields stands in a teacher's file.
struct BankHeaderMap {
    std::array<int, FieldCountTotal> column; // index in the record, -1 when absent
    QStringList names;                       // the header's names, trimmed
};

// Matches the header's names to the fields (trimmed, any case). A column
// the program does not know is a warning; a missing required one, or a
// missing "Предмет" without a subject given, is a problem that lists the
// columns found and says when the separator looks wrong.
BankHeaderMap mapBankHeader(const CsvRecord& header, const ImportOptions& options,
                            ImportResult& result);

} // namespace kt
