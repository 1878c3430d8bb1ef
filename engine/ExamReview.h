// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "bank/TestItem.h"

#include <QString>
#include <vector>

namespace kt {

// One question of a finished test that was not answered right.
struct ExamReviewEntry {
    int slot = 0;
    QString question;
    bool answered = false; // false: left open when the test ended
    // Places on the screen, 1 (A) to 5 (E); 0 when nothing was chosen, and
    // for the right answer when the bank names no variant.
    int chosen = 0;
    int right = 0;
    QString chosenText;
    QString rightText;
};

// The wrong and open questions of slots 1..n, in slot order; `chosen[slot]`
// is the place chosen when the slot was judged.
std::vector<ExamReviewEntry> examReviewOf(const TestSet& set, const std::vector<int>& chosen,
                                          int n);

} // namespace kt
