// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <array>
#include <vector>

namespace kt {

enum ItemState : qint32 { Wrong = 0, Right = 1, Pending = 3 };

// One drawn question. Answers are indexed 1 to 5 as the variants are numbered;
// index 0 is unused.
struct TestItem {
    QString Question;
    std::array<QString, 6> Answers;
    qint32 RightAnswer = 0;
    ItemState State = Pending;
    qint32 Counter = 0; // the record's "Счетчик"
    qint32 Chosen = 0;  // the variant judged, in the bank's numbering; 0: none
};

// Slots 0..N of which 1..N are used; slot 0 is never used.
using TestSet = std::vector<TestItem>;

} // namespace kt
