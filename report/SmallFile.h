// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>

namespace kt {

// A small file read whole, or why it was not.
struct SmallFile {
    enum class Status { Read, Missing, Failed };
    Status status = Status::Missing;
    QByteArray bytes;
    QString reason; // in Russian, without the file's name; set when Failed
};

// Reads a file a teacher keeps beside a bank. Never blocks: a named pipe,
// a device, a socket or a folder in its place is refused at once with the
// same reasons as the report file's. A file larger than `maxBytes` is
// refused as a whole rather than read in part.
SmallFile readSmallFile(const QString& path, qint64 maxBytes);

} // namespace kt
