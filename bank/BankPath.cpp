// SPDX-License-Identifier: GPL-3.0-or-later
#include "bank/BankPath.h"

#include "bank/BankReadError.h"

#include <QDir>
#include <QFileInfo>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#endif

namespace kt {

QString nonRegularKind(const QString& path) {
    const QFileInfo info(path);
    if (!info.exists() || info.isFile())
        return QString();
    if (info.isDir())
        return QStringLiteral("папка");
#ifdef Q_OS_UNIX
    struct stat st {};
    if (::stat(QFile::encodeName(path).constData(), &st) == 0) {
        if (S_ISFIFO(st.st_mode))
            return QStringLiteral("именованный канал (FIFO)");
        if (S_ISCHR(st.st_mode) || S_ISBLK(st.st_mode))
            return QStringLiteral("устройство");
        if (S_ISSOCK(st.st_mode))
            return QStringLiteral("сокет");
    }
#endif
    return QStringLiteral("не обычный файл");
}

bool isSameFile(const QString& a, const QString& b) {
    const QFileInfo fa(a), fb(b);
    if (!fa.exists() || !fb.exists())
        return false;
#ifdef Q_OS_UNIX
    struct stat sa {
    }, sb{};
    if (::stat(QFile::encodeName(a).constData(), &sa) == 0 &&
        ::stat(QFile::encodeName(b).constData(), &sb) == 0)
        return sa.st_dev == sb.st_dev && sa.st_ino == sb.st_ino;
#endif
    return fa.canonicalFilePath() == fb.canonicalFilePath();
}

void requireRegularBankFile(const QString& path) {
    // The reader itself refuses a folder at once, with its own message.
    const QString kind = QFileInfo(path).isDir() ? QString() : nonRegularKind(path);
    if (!kind.isEmpty())
        throw BankReadError(
            BankFailure::NotAFile,
            QStringLiteral("«%1» — не файл базы данных, а %2; укажите путь к файлу .mdb")
                .arg(QDir::toNativeSeparators(path), kind));
}

QString backupPathOf(const QString& path) {
    const QFileInfo info(path);
    const QString suffix = info.suffix().isEmpty() ? QStringLiteral("mdb") : info.suffix();
    return info.dir().filePath(info.completeBaseName() + QStringLiteral(".bak.") + suffix);
}

} // namespace kt
