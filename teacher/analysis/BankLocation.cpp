// SPDX-License-Identifier: GPL-3.0-or-later
#include "teacher/analysis/BankLocation.h"

#include "bank/MdbBankSource.h"

#include <QDir>
#include <QFileInfo>

namespace kt {
namespace {

QString findIn(const QDir& dir, const QString& name) {
    if (!dir.exists())
        return {};
    const QStringList entries = dir.entryList(QDir::Files);
    for (const QString& entry : entries)
        if (entry.compare(name, Qt::CaseInsensitive) == 0)
            return dir.filePath(entry);
    return {};
}

} // namespace

QString locateBank(const QString& bankName, const QString& answersFile) {
    // Only a file name: a path written into the answers file is not followed.
    const QString name = QFileInfo(bankName).fileName();
    if (name.isEmpty())
        return {};
    const QString beside = findIn(QFileInfo(answersFile).absoluteDir(), name);
    return beside.isEmpty() ? findIn(QFileInfo(builtInBankPath()).absoluteDir(), name) : beside;
}

} // namespace kt
