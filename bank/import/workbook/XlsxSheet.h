// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "bank/import/workbook/ZipParts.h"
#include "csv/CsvTable.h"

namespace kt {

// The sheet of an Office Open XML workbook (.xlsx): its cells' shown
// values, shared strings resolved. `sheet` empty: the first one.
std::vector<CsvRecord> readXlsxSheet(ZipParts& parts, const QString& path, const QString& sheet);

} // namespace kt
