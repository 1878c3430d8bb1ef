// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "bank/BankRecord.h"
#include "bank/check/BankCheck.h"
#include "teacher/core/BankRows.h"

#include <QString>
#include <vector>

namespace kt {

// One finding of the bank's check, placed on the record and field the
// editor selects when the teacher clicks it.
struct EditorProblem {
    QString text;
    int row = -1;       // 0-based record, -1: the bank as a whole
    int field = -1;     // BankField, -1: the record as a whole
    bool fatal = false; // the record can never be drawn or answered right
    bool warning = false;
};
bool operator==(const EditorProblem& a, const EditorProblem& b);

// The BankField a finding names by its column name; -1 for none.
int bankFieldIndex(const QString& name);

// The checks of qbank check, with the same options (the screen-fit
// measurement is passed in by the window, which has the fonts).
std::vector<EditorProblem> validateBank(const BankRows& raw, const BankCheckOptions& options = {});

} // namespace kt
