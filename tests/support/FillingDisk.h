// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "report/ReportFile.h"

namespace kt {

// A disk that fills while an append writes: each append gets this many bytes
// through the system, then a full disk, and the report file is left as the
// real disk would leave it. Negative: the disk never fills.
class FillingDisk final : public BlockWriter {
public:
    qint64 bytesBeforeFull = -1;

    int writeAll(qintptr file, const QByteArray& bytes) const override;
};

} // namespace kt
