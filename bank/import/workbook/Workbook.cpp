// SPDX-License-Identifier: GPL-3.0-or-later
#include "bank/import/workbook/Workbook.h"

#include "bank/KtError.h"
#include "bank/import/workbook/OdsSheet.h"
#include "bank/import/workbook/XlsxSheet.h"
#include "bank/import/workbook/ZipParts.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace kt {

WorkbookKind workbookKind(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return WorkbookKind::NotWorkbook;
    const QByteArray head = file.read(8);
    if (head == QByteArray("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1", 8))
        return WorkbookKind::OldExcel;
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (!head.startsWith("PK\x03\x04"))
        return WorkbookKind::NotWorkbook;
    if (suffix == u"xlsx" || suffix == u"xlsm")
        return WorkbookKind::Xlsx;
    if (suffix == u"ods")
        return WorkbookKind::Ods;
    return WorkbookKind::NotWorkbook;
}

std::vector<CsvRecord> readWorkbookSheet(const QString& path, const QString& sheet) {
    const WorkbookKind kind = workbookKind(path);
    if (kind == WorkbookKind::OldExcel)
        throw KtError(QStringLiteral("Файл «%1» — книга старого формата Excel (.xls), её "
                                     "прочитать нельзя: сохраните как .xlsx или CSV")
                          .arg(QDir::toNativeSeparators(path)));
    if (kind == WorkbookKind::NotWorkbook)
        throw KtError(damagedWorkbook(path, QStringLiteral("не архив .xlsx или .ods")));
    ZipParts parts(path);
    return kind == WorkbookKind::Xlsx ? readXlsxSheet(parts, path, sheet)
                                      : readOdsSheet(parts, path, sheet);
}

} // namespace kt
