// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace kt {

// Where the journal looks for a report when it is first shown, and where its
// open dialog starts. The student's program writes "TestData.dat" into its
// working folder, which is the user's home folder when it is started from the
// desktop menu.
QString defaultReportFolder();
QString defaultReportPath();

} // namespace kt
