// SPDX-License-Identifier: GPL-3.0-or-later
// The report file on Windows. The file is opened for appending only
// (FILE_APPEND_DATA without FILE_WRITE_DATA), so the system itself puts
// every write at the end of the file, also on a shared network folder
// where two PCs append at once.
#ifdef _WIN32

#include "bank/KtError.h"
#include "report/ReportFile.h"
#include "report/ReportReasons.h"

#include <QDir>
#include <chrono>
#include <string>
#include <thread>
#ifndef NOMINMAX
#define NOMINMAX // std::min, not the macro
#endif
#include <windows.h>

namespace kt {
namespace {

[[noreturn]] void fail(DWORD error) {
    throw KtError(systemReason(error));
}

class Handle {
public:
    explicit Handle(HANDLE h) : m_h(h) {}
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;
    ~Handle() { ::CloseHandle(m_h); }
    HANDLE get() const { return m_h; }

private:
    HANDLE m_h;
};

std::wstring nativeName(const QString& path) {
    return QDir::toNativeSeparators(path).toStdWString();
}

// The lock covers everything from 2^62 on, far past any real data: Windows
// locks are mandatory, and a lock over the data would stop the cut-back
// through a second handle and every reader on the other PCs. All copies of
// the program lock the same range, and the whole-file fcntl lock that Samba
// maps from Linux clients overlaps it, so each writer waits for the others.
const DWORD kLockOffsetHigh = 0x40000000;

bool tryLock(HANDLE h, DWORD* error) {
    OVERLAPPED at{};
    at.OffsetHigh = kLockOffsetHigh;
    if (::LockFileEx(h, LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, MAXDWORD,
                     MAXDWORD >> 2, &at))
        return true;
    *error = ::GetLastError();
    return false;
}

// GENERIC_READ only because LockFileEx asks for read or write access; it
// does not take away the append-only positioning.
HANDLE openForAppend(const QString& path) {
    const HANDLE h = ::CreateFileW(nativeName(path).c_str(), GENERIC_READ | FILE_APPEND_DATA,
                                   FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                   OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) {
        const DWORD error = ::GetLastError();
        const DWORD attributes = ::GetFileAttributesW(nativeName(path).c_str());
        if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY))
            throw KtError(notRegularText(NotRegular::Folder));
        fail(error);
    }
    if (::GetFileType(h) != FILE_TYPE_DISK) {
        ::CloseHandle(h);
        throw KtError(notRegularText(NotRegular::Device));
    }
    return h;
}

// Windows may keep a lock for a while after the handle closes; the next
// program must not wait for that.
class Unlocker {
public:
    explicit Unlocker(HANDLE h) : m_h(h) {}
    Unlocker(const Unlocker&) = delete;
    Unlocker& operator=(const Unlocker&) = delete;
    ~Unlocker() {
        OVERLAPPED at{};
        at.OffsetHigh = kLockOffsetHigh;
        ::UnlockFileEx(m_h, 0, MAXDWORD, MAXDWORD >> 2, &at);
    }

private:
    HANDLE m_h;
};

bool heldByAnother(DWORD error) {
    return error == ERROR_LOCK_VIOLATION || error == ERROR_IO_PENDING;
}

void lockWhole(HANDLE h, int lockWaitMs) {
    using Clock = std::chrono::steady_clock;
    const Clock::time_point deadline = Clock::now() + std::chrono::milliseconds(lockWaitMs);
    for (;;) {
        DWORD error = 0;
        if (tryLock(h, &error))
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
QByteArray onNewLine(HANDLE h, LARGE_INTEGER size, const QByteArray& bytes) {
    if (size.QuadPart <= 0)
        return bytes;
    OVERLAPPED at{};
    const qint64 offset = size.QuadPart - 1;
    at.Offset = static_cast<DWORD>(offset & 0xFFFFFFFF);
    at.OffsetHigh = static_cast<DWORD>(offset >> 32);
    char last = '\n';
    DWORD n = 0;
    if (!::ReadFile(h, &last, 1, &n, &at) || n != 1)
        last = '\n'; // unreadable: the block goes as it is, as before
    return last == '\n' ? bytes : QByteArrayLiteral("\r\n") + bytes;
}

// The append handle cannot set the end of the file (that needs
// FILE_WRITE_DATA), so a second handle does it while the lock is held.
[[noreturn]] void cutBack(const QString& path, LARGE_INTEGER size, DWORD error) {
    QString reason = systemReason(error);
    const HANDLE h = ::CreateFileW(nativeName(path).c_str(), GENERIC_WRITE,
                                   FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                   OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        throw KtError(reason + cutBackFailedText(systemReason(::GetLastError())));
    const Handle writer(h);
    FILE_END_OF_FILE_INFO end{};
    end.EndOfFile = size;
    if (!::SetFileInformationByHandle(h, FileEndOfFileInfo, &end, sizeof end) ||
        !::FlushFileBuffers(h))
        reason += cutBackFailedText(systemReason(::GetLastError()));
    throw KtError(reason);
}

class SystemWriter final : public BlockWriter {
public:
    int writeAll(qintptr file, const QByteArray& bytes) const override {
        const HANDLE h = reinterpret_cast<HANDLE>(file);
        qint64 done = 0;
        while (done < bytes.size()) {
            DWORD n = 0;
            if (!::WriteFile(h, bytes.constData() + done, static_cast<DWORD>(bytes.size() - done),
                             &n, nullptr))
                return static_cast<int>(::GetLastError());
            if (n == 0)
                return ERROR_WRITE_FAULT;
            done += n;
        }
        return ::FlushFileBuffers(h) ? 0 : static_cast<int>(::GetLastError());
    }
};

} // namespace

const BlockWriter& systemBlockWriter() {
    static const SystemWriter writer;
    return writer;
}

void checkReportFile(const QString& path, const ReportFileOptions&) {
    const Handle file(openForAppend(path));
    DWORD error = 0;
    if (tryLock(file.get(), &error)) {
        const Unlocker unlock(file.get());
        return;
    }
    if (!heldByAnother(error))
        fail(error);
}

void appendToReportFile(const QString& path, const QByteArray& bytes,
                        const ReportFileOptions& options) {
    const Handle file(openForAppend(path));
    lockWhole(file.get(), options.lockWaitMs);
    const Unlocker unlock(file.get());
    LARGE_INTEGER before{};
    if (!::GetFileSizeEx(file.get(), &before))
        fail(::GetLastError());
    const QByteArray all = before.QuadPart == 0 ? options.headerIfEmpty + bytes
                                                : onNewLine(file.get(), before, bytes);
    const DWORD error = static_cast<DWORD>(
        options.writer->writeAll(reinterpret_cast<qintptr>(file.get()), all));
    if (error != 0)
        cutBack(path, before, error);
}

} // namespace kt

#endif
