// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QStringList>

namespace kt {

// qbank results [--excel] FILE...: the whole blocks of report files as one
// CSV table on standard output; damaged blocks are named on standard error.
// A class folder given as a FILE stands for all its TestData-*.dat.
// Returns 0 when every file was read, 1 when one could not be, 2 on wrong
// arguments.
int runResults(const QStringList& args);

} // namespace kt
