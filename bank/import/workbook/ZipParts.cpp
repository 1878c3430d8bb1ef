// SPDX-License-Identifier: GPL-3.0-or-later
#include "bank/import/workbook/ZipParts.h"

#include "bank/KtError.h"

#include <QDir>
#include <quazip/quazip.h>
#include <quazip/quazipfile.h>

namespace kt {

QString damagedWorkbook(const QString& path, const QString& detail) {
    return QStringLiteral("Файл «%1» повреждён или это не книга электронной таблицы (%2). "
                          "Откройте его в LibreOffice Calc или Excel и сохраните снова.")
        .arg(QDir::toNativeSeparators(path), detail);
}

ZipParts::ZipParts(const QString& path) : m_path(path), m_zip(std::make_unique<QuaZip>(path)) {
    if (!m_zip->open(QuaZip::mdUnzip))
        throw KtError(damagedWorkbook(path, QStringLiteral("архив не читается")));
}

ZipParts::~ZipParts() = default;

bool ZipParts::has(const QString& name) {
    return m_zip->setCurrentFile(name);
}

QByteArray ZipParts::read(const QString& name) {
    if (!m_zip->setCurrentFile(name))
        throw KtError(damagedWorkbook(m_path, QStringLiteral("нет части %1").arg(name)));
    QuaZipFile part(m_zip.get());
    QuaZipFileInfo64 info;
    if (!m_zip->getCurrentFileInfo(&info) || info.uncompressedSize > kMaxPartBytes)
        throw KtError(damagedWorkbook(m_path, QStringLiteral("часть %1 слишком велика").arg(name)));
    if (!part.open(QIODevice::ReadOnly))
        throw KtError(damagedWorkbook(m_path, QStringLiteral("часть %1 не читается").arg(name)));
    QByteArray bytes = part.read(kMaxPartBytes + 1);
    part.close();
    if (part.getZipError() != UNZ_OK || bytes.size() > kMaxPartBytes)
        throw KtError(damagedWorkbook(m_path, QStringLiteral("часть %1 повреждена").arg(name)));
    return bytes;
}

} // namespace kt
