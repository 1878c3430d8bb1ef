// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace kt {

// Copies `from` whole into a temporary file beside `to`, flushes it to the
// disk and only then renames it over `to`, with the mode of `from`: until
// the copy is complete, whatever lay at `to` stays as it was. Returns an
// empty string on success, otherwise the reason in Russian.
QString copyWholeFile(const QString& from, const QString& to);

// Why a file of about `bytes` bytes cannot be written at `path`, found by
// trying: the folder is read-only or may not be written, or the disk has no
// room for it. Empty when the folder takes such a file.
QString writeFailureReason(const QString& path, qint64 bytes);

} // namespace kt
