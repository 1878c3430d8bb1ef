// SPDX-License-Identifier: GPL-3.0-or-later
#include "teacher/journal/ReportLocation.h"

#include "report/ReportWriter.h"

#include <QDir>

namespace kt {

QString defaultReportFolder() {
    return QDir::homePath();
}

QString defaultReportPath() {
    return QDir(defaultReportFolder()).filePath(reportFileName());
}

} // namespace kt
