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

enum class NotRegular { Folder, Pipe, Device };
QString notRegularText(NotRegular kind);
QString lockTimeoutText(int lockWaitMs);
// A file far larger than its kind ever is.
QString tooLargeText(qint64 maxBytes);
// Appended to the reason when the file could not be cut back.
QString cutBackFailedText(const QString& reason);

} // namespace kt
