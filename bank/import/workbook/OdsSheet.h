// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "bank/import/workbook/ZipParts.h"
#include "csv/CsvTable.h"

namespace kt {

// The sheet of an OpenDocument spreadsheet (.ods): each cell's text as the
// spreadsheet shows it (numbers as their value), repeated rows and columns
// expanded. `sheet` empty: the first one.
std::vector<CsvRecord> readOdsSheet(ZipParts& parts, const QString& path, const QString& sheet);

} // namespace kt
