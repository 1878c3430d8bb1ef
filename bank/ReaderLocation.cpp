// SPDX-License-Identifier: GPL-3.0-or-later
#include "bank/ReaderLocation.h"

#include <QDir>
#include <QFileInfo>

namespace kt {

namespace {

// An installed reader is kept out of PATH in the package's private folder. The
// folder is taken relative to the program's own, so an unpacked or moved tree
// finds its reader as well as the one installed under /usr.
const char* const kInstalledReaderDir = "../libexec/knowtest";

} // namespace

QString locateReader(const QString& programDir, const QString& name) {
    if (programDir.isEmpty())
        return name;
    const QDir dir(programDir);
    const QFileInfo installed(
        dir.filePath(QLatin1String(kInstalledReaderDir) + QLatin1Char('/') + name));
    if (installed.isFile() && installed.isExecutable())
        return QDir::cleanPath(installed.absoluteFilePath());
    return dir.filePath(name);
}

} // namespace kt
