// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "csv/CsvTable.h"

#include <QString>
#include <vector>

namespace kt {

enum class WorkbookKind { NotWorkbook, Xlsx, Ods, OldExcel };

// What a file is, told by its first bytes and its name: a zip is a workbook
// only with the extension .xlsx or .ods; an OLE2 file is an old .xls.
WorkbookKind workbookKind(const QString& path);

// One sheet as rows of cells: each record's `line` is the row number the
// spreadsheet shows, rows without a value are left out, a cell that holds a
// text is `quoted` (so an empty text differs from an empty cell). `sheet`
// empty: the first sheet. Throws KtError in Russian naming the file, also
// for an old .xls, for a sheet that is not there and for a damaged file.
std::vector<CsvRecord> readWorkbookSheet(const QString& path, const QString& sheet = QString());

} // namespace kt
