// SPDX-License-Identifier: GPL-3.0-or-later
#include "report/WholeFileWrite.h"

#ifndef _WIN32

#include "report/ReportReasons.h"

#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>
#include <vector>

namespace kt {
namespace {

// Closes a descriptor when it goes out of scope.
class Fd {
public:
    explicit Fd(int fd) : m_fd(fd) {}
    ~Fd() {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;
    int get() const { return m_fd; }
    // Closes now, for the error a late write reports only here.
    int close() {
        const int rc = ::close(m_fd);
        m_fd = -1;
        return rc == 0 ? 0 : errno;
    }

private:
    int m_fd;
};

int writeAll(int fd, const char* data, ssize_t size) {
    while (size > 0) {
        const ssize_t done = ::write(fd, data, static_cast<size_t>(size));
        if (done < 0 && errno == EINTR)
            continue;
        if (done < 0)
            return errno;
        data += done;
        size -= done;
    }
    return 0;
}

// Returns 0 or the error number of the failed step.
int copyContents(int in, int out) {
    std::vector<char> buffer(1 << 16);
    for (;;) {
        const ssize_t got = ::read(in, buffer.data(), buffer.size());
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            return errno;
        if (got == 0)
            break;
        if (const int error = writeAll(out, buffer.data(), got))
            return error;
    }
    struct stat info {};
    if (::fstat(in, &info) != 0 || ::fchmod(out, info.st_mode & 07777) != 0)
        return errno;
    return ::fsync(out) == 0 ? 0 : errno;
}

// A file created beside `path` under a name of its own.
std::vector<char> temporaryNameBeside(const QString& path) {
    const QByteArray name = QFile::encodeName(path) + ".XXXXXX";
    return std::vector<char>(name.constData(), name.constData() + name.size() + 1);
}

int copyInto(const QByteArray& from, std::vector<char>& temporary, const QByteArray& to) {
    Fd in(::open(from.constData(), O_RDONLY | O_CLOEXEC));
    if (in.get() < 0)
        return errno;
    Fd out(::mkostemp(temporary.data(), O_CLOEXEC));
    if (out.get() < 0)
        return errno;
    int error = copyContents(in.get(), out.get());
    if (const int late = out.close(); !error)
        error = late;
    if (!error && ::rename(temporary.data(), to.constData()) != 0)
        error = errno;
    if (error)
        ::unlink(temporary.data());
    return error;
}

} // namespace

QString copyWholeFile(const QString& from, const QString& to) {
    std::vector<char> temporary = temporaryNameBeside(to);
    const int error = copyInto(QFile::encodeName(from), temporary, QFile::encodeName(to));
    return error ? systemReason(error) : QString();
}

QString writeFailureReason(const QString& path, qint64 bytes) {
    const QByteArray folder = QFile::encodeName(QFileInfo(path).absolutePath());
    struct statvfs disk {};
    if (::statvfs(folder.constData(), &disk) == 0 && (disk.f_flag & ST_RDONLY))
        return systemReason(EROFS);
    std::vector<char> probe = temporaryNameBeside(QFileInfo(path).absoluteFilePath());
    Fd fd(::mkostemp(probe.data(), O_CLOEXEC));
    if (fd.get() < 0)
        return systemReason(errno);
    const int error = ::posix_fallocate(fd.get(), 0, bytes);
    ::unlink(probe.data());
    // A file system without the call says nothing about room.
    if (error == ENOSPC || error == EDQUOT || error == EFBIG)
        return systemReason(error);
    return QString();
}

} // namespace kt

#endif
