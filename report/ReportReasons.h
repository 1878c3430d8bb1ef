// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace kt {

// The system's reasons for a failed report append, in Russian: the system's
// own texts are English and would mean nothing to a student.
#ifdef _WIN32
using SystemError = unsigned long; // GetLastError()
#else
using SystemError = int; // errno
#endif
QString systemReason(SystemError error);
// The same for a file that was to be read: a missing file is the file
// itself, not the folder a write would need, and the rights are to read.
QString readingReason(SystemError error);
// Why the file at `path` could not be opened for reading, found by trying
// again; a folder is named as such.
QString openFailureReason(const QString& path);
// A read that failed once the file was open.
QString readFailedText();

enum class NotRegular { Folder, Pipe, Device };
QString notRegularText(NotRegular kind);
#ifndef _WIN32
// The reason for a path whose st_mode is not a regular file's.
QString notRegularReason(unsigned int mode);
#endif
QString lockTimeoutText(int lockWaitMs);
// A file far larger than its kind ever is.
QString tooLargeText(qint64 maxBytes);
// Appended to the reason when the file could not be cut back.
QString cutBackFailedText(const QString& reason);

} // namespace kt
