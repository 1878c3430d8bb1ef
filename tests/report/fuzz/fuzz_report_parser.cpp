// SPDX-License-Identifier: GPL-3.0-or-later
// libFuzzer entry: any bytes as a report file. The parser must neither crash
// nor read out of bounds, and every block it gives back must be whole.

#include "report/ReportParser.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const kt::ParsedReport report = kt::parseReport(bytes);
    for (const kt::ReportEntry& e : report.entries)
        if (e.line < 1 || e.percent.isEmpty() || e.date.size() != 10 || e.minutes.isEmpty())
            std::abort();
    for (const kt::ReportDamage& d : report.damage)
        if (d.line < 1 || d.badLine < d.line || d.lastLine < d.line || d.reason.isEmpty())
            std::abort();
    return 0;
}
