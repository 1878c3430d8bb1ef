#pragma once

#include "BankRecord.h"

#include <QString>
#include <vector>

namespace kt {

// One problem of the bank, pointing at the record and field it is about.
struct BankProblem {
    QString text;
    int row = -1;       // 0-based record, -1: the bank as a whole
    int field = -1;     // BankField, -1: the record as a whole
    bool fatal = false; // the record can never be drawn or answered right
};

// The checks of the command-line tool's "check", with each problem placed
// on its record and field. The one place that knows the checker's wording.
std::vector<BankProblem> validateBank(const BankTable& raw);

} // namespace kt
