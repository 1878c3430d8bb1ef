// SPDX-License-Identifier: GPL-3.0-or-later
#include "bank/FileStamp.h"

#include <QFile>
#include <QFileInfo>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#else
#include <QDateTime>
#endif

namespace kt {

FileStamp FileStamp::of(const QString& path) {
    FileStamp s;
#ifdef Q_OS_UNIX
    struct stat st {};
    if (stat(QFile::encodeName(path).constData(), &st) != 0)
        return s;
    s.exists = true;
    s.size = static_cast<qint64>(st.st_size);
#ifdef Q_OS_MACOS
    s.modifiedNs =
        static_cast<qint64>(st.st_mtimespec.tv_sec) * 1000000000 + st.st_mtimespec.tv_nsec;
#else
    s.modifiedNs = static_cast<qint64>(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec;
#endif
    s.device = static_cast<quint64>(st.st_dev);
    s.identity = static_cast<quint64>(st.st_ino);
#else
    const QFileInfo info(path);
    if (!info.exists())
        return s;
    s.exists = true;
    s.size = info.size();
    s.modifiedNs = info.lastModified().toMSecsSinceEpoch() * 1000000;
    s.identity = static_cast<quint64>(info.birthTime().toMSecsSinceEpoch());
#endif
    return s;
}

} // namespace kt
