// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QStringList>

namespace kt {

// qbank analysis [--excel] FILES_OR_FOLDERS...: one CSV row per bank record
// over every answers file given (a folder stands for its Answers*.csv).
// Returns 0 when every file was read, 1 when one could not be, 2 on wrong
// arguments.
int runAnalysis(const QStringList& args);

} // namespace kt
