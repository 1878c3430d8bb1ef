// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>
#include <memory>

class QuaZip;

namespace kt {

// The XML parts of a workbook, each read whole: they are a few megabytes at
// most for any sheet of questions, and a part beyond kMaxPartBytes is refused
// before it can fill memory.
class ZipParts {
public:
    explicit ZipParts(const QString& path);
    ~ZipParts();
    bool has(const QString& name);
    // Throws KtError when the part is missing, damaged or too large.
    QByteArray read(const QString& name);

    static constexpr qint64 kMaxPartBytes = 256ll << 20;

private:
    QString m_path;
    std::unique_ptr<QuaZip> m_zip;
};

// "Файл «…» повреждён или это не книга электронной таблицы (…)".
QString damagedWorkbook(const QString& path, const QString& detail);

} // namespace kt
