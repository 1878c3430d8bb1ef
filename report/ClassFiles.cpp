// SPDX-License-Identifier: GPL-3.0-or-later
#include "report/ClassFiles.h"

#include <QDir>
#include <QFileInfo>

namespace kt {

QString pcFileName(const QString& hostName) {
    QString out;
    for (const QChar c : hostName.left(63)) {
        const bool plain = (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') ||
                           (c >= u'0' && c <= u'9') || c == u'-' || c == u'_';
        out.append(plain ? c : QChar(u'_'));
    }
    return out.isEmpty() ? QStringLiteral("PC") : out;
}

QString classReportPath(const QString& folder, const QString& pc) {
    return QDir(folder).filePath(QStringLiteral("TestData-%1.dat").arg(pc));
}

QString classAnswersPath(const QString& folder, const QString& pc) {
    return QDir(folder).filePath(QStringLiteral("Answers-%1.csv").arg(pc));
}

QString classStatusFolder(const QString& folder) {
    return QDir(folder).filePath(QStringLiteral("status"));
}

QString classStatusPath(const QString& folder, const QString& pc) {
    return QDir(classStatusFolder(folder)).filePath(pc + QStringLiteral(".json"));
}

QStringList classReportFiles(const QString& folder) {
    const QDir dir(folder);
    QStringList out;
    const QStringList names =
        dir.entryList({QStringLiteral("TestData-*.dat")}, QDir::Files, QDir::Name);
    for (const QString& name : names)
        out << dir.filePath(name);
    return out;
}

QString pcOfClassFile(const QString& path) {
    const QString name = QFileInfo(path).fileName();
    for (const auto& [head, tail] : {std::pair{QStringLiteral("TestData-"), QStringLiteral(".dat")},
                                     std::pair{QStringLiteral("Answers-"), QStringLiteral(".csv")}})
        if (name.startsWith(head) && name.endsWith(tail) && name.size() > head.size() + tail.size())
            return name.mid(head.size(), name.size() - head.size() - tail.size());
    return QString();
}

} // namespace kt
