// SPDX-License-Identifier: GPL-3.0-or-later
// Small files on Windows: only a file on a disk is read.
#ifdef _WIN32

#include "report/ReportReasons.h"
#include "report/SmallFile.h"

#include <QDir>
#ifndef NOMINMAX
#define NOMINMAX // std::min, not the macro
#endif
#include <windows.h>

namespace kt {
namespace {

SmallFile failed(const QString& reason) {
    SmallFile out;
    out.status = SmallFile::Status::Failed;
    out.reason = reason;
    return out;
}

SmallFile readOpen(HANDLE h, qint64 maxBytes) {
    LARGE_INTEGER size{};
    if (!::GetFileSizeEx(h, &size))
        return failed(systemReason(::GetLastError()));
    if (size.QuadPart > maxBytes)
        return failed(tooLargeText(maxBytes));
    SmallFile out;
    char chunk[16384];
    for (;;) {
        DWORD n = 0;
        if (!::ReadFile(h, chunk, sizeof chunk, &n, nullptr))
            return failed(systemReason(::GetLastError()));
        if (n == 0)
            break;
        out.bytes.append(chunk, static_cast<qsizetype>(n));
        if (out.bytes.size() > maxBytes)
            return failed(tooLargeText(maxBytes));
    }
    out.status = SmallFile::Status::Read;
    return out;
}

} // namespace

SmallFile readSmallFile(const QString& path, qint64 maxBytes) {
    const std::wstring name = QDir::toNativeSeparators(path).toStdWString();
    const DWORD attributes = ::GetFileAttributesW(name.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY))
        return failed(notRegularText(NotRegular::Folder));
    const HANDLE h = ::CreateFileW(name.c_str(), GENERIC_READ,
                                   FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                   OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) {
        const DWORD error = ::GetLastError();
        if (error == ERROR_FILE_NOT_FOUND)
            return SmallFile();
        return failed(systemReason(error));
    }
    const SmallFile out = ::GetFileType(h) == FILE_TYPE_DISK
                              ? readOpen(h, maxBytes)
                              : failed(notRegularText(NotRegular::Device));
    ::CloseHandle(h);
    return out;
}

} // namespace kt

#endif
