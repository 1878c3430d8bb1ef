// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/support/FillingDisk.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <cerrno>
#endif

namespace kt {

namespace {

int diskFull() {
#ifdef _WIN32
    return ERROR_DISK_FULL;
#else
    return ENOSPC;
#endif
}

} // namespace

int FillingDisk::writeAll(qintptr file, const QByteArray& bytes) const {
    if (bytesBeforeFull < 0 || bytes.size() <= bytesBeforeFull)
        return systemBlockWriter().writeAll(file, bytes);
    if (bytesBeforeFull > 0)
        systemBlockWriter().writeAll(file, bytes.left(bytesBeforeFull));
    return diskFull();
}

} // namespace kt
