// SPDX-License-Identifier: GPL-3.0-or-later
// Small files on POSIX systems: O_NONBLOCK so that a named pipe nobody
// writes to never makes the program wait, fstat to refuse all but a
// regular file.
#ifndef _WIN32

#include "report/ReportReasons.h"
#include "report/SmallFile.h"

#include <QFile>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace kt {
namespace {

SmallFile failed(const QString& reason) {
    SmallFile out;
    out.status = SmallFile::Status::Failed;
    out.reason = reason;
    return out;
}

// Reads to the end or to one byte past the limit, whichever comes first.
SmallFile readOpen(int fd, qint64 maxBytes) {
    SmallFile out;
    char chunk[16384];
    for (;;) {
        const ssize_t n = ::read(fd, chunk, sizeof chunk);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return failed(systemReason(errno));
        if (n == 0)
            break;
        out.bytes.append(chunk, n);
        if (out.bytes.size() > maxBytes)
            return failed(tooLargeText(maxBytes));
    }
    out.status = SmallFile::Status::Read;
    return out;
}

} // namespace

SmallFile readSmallFile(const QString& path, qint64 maxBytes) {
    const QByteArray name = QFile::encodeName(path);
    int fd = -1;
    do {
        fd = ::open(name.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    } while (fd < 0 && errno == EINTR);
    if (fd < 0) {
        if (errno == ENOENT)
            return SmallFile();
        return failed(systemReason(errno));
    }
    struct stat st {};
    SmallFile out;
    if (::fstat(fd, &st) != 0)
        out = failed(systemReason(errno));
    else if (!S_ISREG(st.st_mode))
        out = failed(notRegularReason(st.st_mode));
    else if (st.st_size > maxBytes)
        out = failed(tooLargeText(maxBytes));
    else
        out = readOpen(fd, maxBytes);
    ::close(fd);
    return out;
}

} // namespace kt

#endif
