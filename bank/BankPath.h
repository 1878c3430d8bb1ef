// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace kt {

// A bank is read from a regular file. A FIFO would make the reader wait
// for a writer that never comes, a device would be read without end and a
// folder cannot be a bank, so these are refused before the reader starts.

// The reason the path cannot be a bank file ("папка", "именованный канал"
// ...), or an empty text when it is a regular file or does not exist.
QString nonRegularKind(const QString& path);

// Throws KtError with a clear message when the path exists and is a FIFO,
// a device or a socket; a missing file or a folder is left for the reader,
// which reports either at once.
void requireRegularBankFile(const QString& path);

// True when both paths name one existing file, however spelled (links,
// "..", hard links).
bool isSameFile(const QString& a, const QString& b);

// Where the previous version of a saved file is kept: "DB1.MDB" ->
// "DB1.bak.MDB", so that the copy keeps its extension and opens as a bank.
QString backupPathOf(const QString& path);

} // namespace kt
