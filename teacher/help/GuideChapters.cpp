// SPDX-License-Identifier: GPL-3.0-or-later
#include "teacher/help/GuideChapters.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace kt {
namespace {

const QString kIndex = QStringLiteral("chapters.txt");

QString titleOf(const QString& path) {
    QFile file(path);
    if (file.open(QIODevice::ReadOnly))
        for (int line = 0; line < 20 && !file.atEnd(); ++line) {
            const QString text = QString::fromUtf8(file.readLine()).trimmed();
            if (text.startsWith(QStringLiteral("# ")))
                return text.mid(2).trimmed();
        }
    return QFileInfo(path).completeBaseName();
}

} // namespace

QString guideFolder() {
    const QStringList candidates = {QCoreApplication::applicationDirPath() +
                                        QStringLiteral("/../share/doc/knowtest/guide"),
                                    QStringLiteral(KNOWTEST_SOURCE_GUIDE)};
    for (const QString& folder : candidates)
        if (QFileInfo::exists(folder + u'/' + kIndex))
            return QDir::cleanPath(folder);
    return QString();
}

std::vector<GuideChapter> guideChapters(const QString& folder) {
    std::vector<GuideChapter> chapters;
    QFile index(folder + u'/' + kIndex);
    if (folder.isEmpty() || !index.open(QIODevice::ReadOnly))
        return chapters;
    while (!index.atEnd()) {
        const QString name = QString::fromUtf8(index.readLine()).trimmed();
        const QString path = folder + u'/' + name;
        if (name.isEmpty() || name.startsWith(u'#') || !QFileInfo(path).isFile())
            continue;
        chapters.push_back({titleOf(path), path});
    }
    return chapters;
}

} // namespace kt
