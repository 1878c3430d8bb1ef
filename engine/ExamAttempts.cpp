// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/ExamAttempts.h"

#include <algorithm>

namespace kt {

bool sameStudent(const QString& a, const QString& b) {
    return a.trimmed().compare(b.trimmed(), Qt::CaseInsensitive) == 0;
}

int countAttempts(const ParsedReport& report, const QString& name) {
    return static_cast<int>(
        std::count_if(report.entries.begin(), report.entries.end(),
                      [&name](const ReportEntry& e) { return sameStudent(e.studentName, name); }));
}

} // namespace kt
