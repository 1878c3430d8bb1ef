// SPDX-License-Identifier: GPL-3.0-or-later
#include "report/ReportReasons.h"

#ifndef _WIN32
#include <sys/stat.h>
#endif

#include <QFile>
#include <QFileInfo>

#ifdef _WIN32
#ifndef NOMINMAX
#define NOMINMAX // std::min, not the macro
#endif
#include <windows.h>
#else
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>
#endif

namespace kt {
namespace {

#ifdef _WIN32
const char* knownReason(SystemError error) {
    switch (error) {
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
        return "на диске нет свободного места";
    case ERROR_ACCESS_DENIED:
        return "нет прав на запись в этот файл или его папку";
    case ERROR_WRITE_PROTECT:
        return "диск защищен от записи";
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
        return "файл занят другой программой";
    case ERROR_PATH_NOT_FOUND:
        return "папка, в которой должен лежать файл, не найдена";
    case ERROR_BAD_NETPATH:
    case ERROR_NETNAME_DELETED:
    case ERROR_UNEXP_NET_ERR:
        return "сетевая папка недоступна";
    case ERROR_NOT_READY:
        return "диск не готов";
    case ERROR_FILENAME_EXCED_RANGE:
        return "слишком длинный путь к файлу";
    default:
        return nullptr;
    }
}
#else
const char* knownReason(SystemError error) {
    switch (error) {
    case ENOSPC:
        return "на диске нет свободного места";
    case EDQUOT:
        return "исчерпана дисковая квота пользователя";
    case EFBIG:
        return "файл достиг наибольшего допустимого размера";
    case EACCES:
    case EPERM:
        return "нет прав на запись в этот файл или его папку";
    case EROFS:
        return "диск или папка доступны только для чтения";
    case ENOENT:
        return "папка, в которой должен лежать файл, не найдена";
    case ENOTDIR:
        return "часть пути к файлу не является папкой";
    case EISDIR:
        return "на этом месте папка, а не файл";
    case ENXIO:
    case ENODEV:
        return "на этом месте именованный канал или устройство, а не обычный файл";
    case EIO:
        return "ошибка ввода-вывода: диск или сеть не ответили";
    case ENOLCK:
        return "файловая система не поддерживает блокировку файлов (для сетевой папки "
               "нужна служба блокировок)";
    case ESTALE:
        return "сетевая папка больше не доступна";
    case ENAMETOOLONG:
        return "слишком длинный путь к файлу";
    case ELOOP:
        return "в пути к файлу слишком много символических ссылок";
    case EMFILE:
    case ENFILE:
        return "открыто слишком много файлов";
    default:
        return nullptr;
    }
}
#endif

#ifdef _WIN32
const char* knownReadingReason(SystemError error) {
    switch (error) {
    case ERROR_FILE_NOT_FOUND:
        return "файл не найден";
    case ERROR_ACCESS_DENIED:
        return "нет прав на чтение этого файла";
    default:
        return nullptr;
    }
}

SystemError openError(const QString& path) {
    const HANDLE file =
        CreateFileW(reinterpret_cast<const wchar_t*>(path.utf16()), GENERIC_READ,
                    FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return GetLastError();
    CloseHandle(file);
    return 0;
}
#else
const char* knownReadingReason(SystemError error) {
    switch (error) {
    case ENOENT:
        return "файл не найден";
    case EACCES:
    case EPERM:
        return "нет прав на чтение этого файла";
    default:
        return nullptr;
    }
}

// A named pipe is opened without waiting for a writer.
SystemError openError(const QString& path) {
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0)
        return errno;
    ::close(fd);
    return 0;
}
#endif

} // namespace

QString systemReason(SystemError error) {
    if (const char* known = knownReason(error))
        return QString::fromUtf8(known);
#ifdef _WIN32
    return QStringLiteral("системная ошибка %1").arg(error);
#else
    // The number and the system's own text let a technician look it up.
    return QStringLiteral("системная ошибка %1 (%2)")
        .arg(error)
        .arg(QString::fromLocal8Bit(std::strerror(error)));
#endif
}

QString readingReason(SystemError error) {
    if (const char* known = knownReadingReason(error))
        return QString::fromUtf8(known);
    return systemReason(error);
}

QString openFailureReason(const QString& path) {
    if (QFileInfo(path).isDir())
        return notRegularText(NotRegular::Folder);
    const SystemError error = openError(path);
    // It opens now: whatever kept it shut a moment ago is gone.
    return error ? readingReason(error) : QStringLiteral("файл не удалось открыть для чтения");
}

QString readFailedText() {
    return QStringLiteral("ошибка чтения: диск или сеть не ответили");
}

QString notRegularText(NotRegular kind) {
    switch (kind) {
    case NotRegular::Folder:
        return QStringLiteral("на этом месте папка, а не файл");
    case NotRegular::Pipe:
        return QStringLiteral("на этом месте именованный канал, а не обычный файл");
    case NotRegular::Device:
        break;
    }
    return QStringLiteral("на этом месте устройство, а не обычный файл");
}

QString lockTimeoutText(int lockWaitMs) {
    return QStringLiteral("файл занят другой программой, которая не закончила запись за %1 с")
        .arg((lockWaitMs + 999) / 1000);
}

QString tooLargeText(qint64 maxBytes) {
    return QStringLiteral("файл больше %1 КБ, такого размера этот файл не бывает")
        .arg((maxBytes + 1023) / 1024);
}

QString cutBackFailedText(const QString& reason) {
    return QStringLiteral("; кроме того, неполную запись не удалось убрать из файла: ") + reason;
}

#ifndef _WIN32
QString notRegularReason(unsigned int mode) {
    if (S_ISDIR(mode))
        return notRegularText(NotRegular::Folder);
    if (S_ISFIFO(mode))
        return notRegularText(NotRegular::Pipe);
    return notRegularText(NotRegular::Device);
}
#endif

} // namespace kt
