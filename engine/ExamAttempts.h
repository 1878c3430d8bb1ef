// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "report/ReportParser.h"

#include <QString>

namespace kt {

// Whether two names are one student's: trimmed, without regard to case.
bool sameStudent(const QString& a, const QString& b);

// The results a report holds for `name`.
int countAttempts(const ParsedReport& report, const QString& name);

} // namespace kt
