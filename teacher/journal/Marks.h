// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <array>

class QSettings;

namespace kt {

// The lowest percentages that still earn a 5, a 4 and a 3 on the Russian
// five-point scale; anything lower is a 2.
struct MarkThresholds {
    int five = 85;
    int four = 70;
    int three = 50;
    bool operator==(const MarkThresholds& o) const {
        return five == o.five && four == o.four && three == o.three;
    }
};

// 100 >= five > four > three > 0: every mark stays reachable.
bool isValid(const MarkThresholds& t);
// What is wrong with thresholds that are not valid, in Russian; empty when valid.
QString thresholdsProblem(const MarkThresholds& t);

// The mark 2 to 5 for a percentage.
int markFor(int percent, const MarkThresholds& t);

// Kept in the program's settings; stored values that are not valid give the
// defaults.
MarkThresholds loadThresholds(QSettings& settings);
void saveThresholds(QSettings& settings, const MarkThresholds& t);

// What the current selection of tests adds up to.
struct MarkSummary {
    int tests = 0;
    double averagePercent = 0;  // 0 when there are no tests
    std::array<int, 4> marks{}; // how many 2s, 3s, 4s and 5s
    int marksOf(int mark) const { return marks[static_cast<size_t>(mark - 2)]; }
};

} // namespace kt
