// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <array>

namespace kt {

constexpr int kReportBlockLines = 10;

// The literals of a report block, in the order of its lines; the writer puts
// the values after them and the parser takes them off. "Колличество" is
// spelt as the program always wrote it: schools' existing report files and
// the tools that read them depend on it.
struct ReportLabels {
    std::array<QString, kReportBlockLines> lines;
    QString percentSuffix; // after the percentage
    QString rangeMiddle;   // between the range's two record numbers
    QString minutesSuffix; // after the minutes per question
};

const ReportLabels& reportLabels();

} // namespace kt
