// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace kt {

// What tells one state of a file from another without reading it: its size,
// its modification time and its identity (device and inode; on Windows the
// creation time stands in for the identity). A file replaced by another of
// the same size and time is still told apart by its identity.
struct FileStamp {
    bool exists = false;
    qint64 size = 0;
    qint64 modifiedNs = 0;
    quint64 device = 0;
    quint64 identity = 0;

    static FileStamp of(const QString& path);
    bool operator==(const FileStamp& o) const {
        return exists == o.exists && size == o.size && modifiedNs == o.modifiedNs &&
               device == o.device && identity == o.identity;
    }
    bool operator!=(const FileStamp& o) const { return !(*this == o); }
};

} // namespace kt
