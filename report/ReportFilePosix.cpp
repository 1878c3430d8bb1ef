// SPDX-License-Identifier: GPL-3.0-or-later
// The report file on POSIX systems: open without blocking, fcntl locks,
// O_APPEND writes, fsync, ftruncate to undo a partial block.
#ifndef _WIN32

#include "bank/KtError.h"
#include "report/ReportFile.h"
#include "report/ReportReasons.h"
#include "report/SharedFile.h"

#include <QFile>
#include <cerrno>
#include <chrono>
#include <fcntl.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace kt {
namespace {

[[noreturn]] void fail(int error) {
    throw KtError(systemReason(error));
}

// An open descriptor, closed (and so unlocked) on every way out.
class Descriptor {
public:
    explicit Descriptor(int fd) : m_fd(fd) {}
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    ~Descriptor() { ::close(m_fd); }
    int get() const { return m_fd; }

private:
    int m_fd;
};

// O_NONBLOCK: opening a named pipe that nobody reads fails at once (ENXIO)
// instead of waiting for a reader for ever. A pipe that has a reader does
// open, and fstat then refuses it.
int openForAppend(const QString& path) {
    const QByteArray name = QFile::encodeName(path);
    int fd = -1;
    // Read access too, to see how the file ends; through this descriptor
    // only, as closing any other one of the file would drop the lock. A file
    // one may write but not read is opened for writing alone.
    for (const int access : {O_RDWR, O_WRONLY}) {
        do {
            fd = ::open(name.constData(), access | O_APPEND | O_CREAT | O_NONBLOCK | O_CLOEXEC,
                        0666);
        } while (fd < 0 && errno == EINTR);
        if (fd >= 0 || errno != EACCES)
            break;
    }
    if (fd < 0) {
        const int error = errno;
        struct stat st {};
        if (::stat(name.constData(), &st) == 0 && !S_ISREG(st.st_mode))
            throw KtError(notRegularReason(st.st_mode));
        fail(error);
    }
    struct stat st {};
    if (::fstat(fd, &st) != 0) {
        const int error = errno;
        ::close(fd);
        fail(error);
    }
    if (!S_ISREG(st.st_mode)) {
        ::close(fd);
        throw KtError(notRegularReason(st.st_mode));
    }
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    return fd;
}

bool tryLock(int fd, int* error) {
    struct flock whole {};
    whole.l_type = F_WRLCK;
    whole.l_whence = SEEK_SET;
    whole.l_start = 0;
    whole.l_len = 0; // to the end, however far the file grows
    if (::fcntl(fd, F_SETLK, &whole) == 0)
        return true;
    *error = errno;
    return false;
}

bool heldByAnother(int error) {
    return error == EACCES || error == EAGAIN || error == EINTR;
}

// Polls rather than waits in F_SETLKW: the wait must end after lockWaitMs
// even when the other PC has hung with the lock held.
void lockWhole(int fd, int lockWaitMs) {
    using Clock = std::chrono::steady_clock;
    const Clock::time_point deadline = Clock::now() + std::chrono::milliseconds(lockWaitMs);
    for (;;) {
        int error = 0;
        if (tryLock(fd, &error))
            return;
        if (!heldByAnother(error))
            fail(error);
        if (Clock::now() >= deadline)
            throw KtError(lockTimeoutText(lockWaitMs));
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
}

// A file cut short (a power cut, a cut-back that failed on a network
// folder) ends inside a line; the block then starts on a line of its own
// rather than glued to the cut one, so that it is read whole.
QByteArray onNewLine(int fd, off_t size, const QByteArray& bytes) {
    char last = '\n';
    if (size > 0 && ::pread(fd, &last, 1, size - 1) != 1)
        last = '\n'; // a write-only file: the block goes as it is
    return last == '\n' ? bytes : QByteArrayLiteral("\r\n") + bytes;
}

[[noreturn]] void cutBack(int fd, off_t size, int error) {
    QString reason = systemReason(error);
    if (::ftruncate(fd, size) != 0 || ::fsync(fd) != 0)
        reason += cutBackFailedText(systemReason(errno));
    throw KtError(reason);
}

class SystemWriter final : public BlockWriter {
public:
    int writeAll(qintptr file, const QByteArray& bytes) const override {
        const int fd = static_cast<int>(file);
        qint64 done = 0;
        while (done < bytes.size()) {
            const ssize_t n =
                ::write(fd, bytes.constData() + done, static_cast<size_t>(bytes.size() - done));
            if (n < 0 && errno == EINTR)
                continue;
            if (n < 0)
                return errno;
            if (n == 0)
                return EIO;
            done += n;
        }
        return ::fsync(fd) == 0 ? 0 : errno;
    }
};

} // namespace

const BlockWriter& systemBlockWriter() {
    static const SystemWriter writer;
    return writer;
}

void checkReportFile(const QString& path, const ReportFileOptions& options) {
    const Descriptor file(openForAppend(path));
    if (options.shared)
        makeSharedFile(file.get(), path);
    int error = 0;
    // Busy is fine here: another program is writing its block. A file
    // system without locks is not, as blocks from several PCs would mix.
    if (!tryLock(file.get(), &error) && !heldByAnother(error))
        fail(error);
}

void appendToReportFile(const QString& path, const QByteArray& bytes,
                        const ReportFileOptions& options) {
    const Descriptor file(openForAppend(path));
    if (options.shared)
        makeSharedFile(file.get(), path);
    lockWhole(file.get(), options.lockWaitMs);
    // Under the lock nobody else appends, so this is where the block starts.
    struct stat st {};
    if (::fstat(file.get(), &st) != 0)
        fail(errno);
    const QByteArray all = st.st_size == 0 ? options.headerIfEmpty + bytes
                                           : onNewLine(file.get(), st.st_size, bytes);
    const int error = options.writer->writeAll(file.get(), all);
    if (error != 0)
        cutBack(file.get(), st.st_size, error);
}

} // namespace kt

#endif
