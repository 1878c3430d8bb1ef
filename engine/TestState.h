// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "bank/TestDefaults.h"
#include "bank/TestItem.h"

#include <QString>

namespace kt {

// The single program-wide record of a test: settings, counters, position,
// names, time left, draw range and the current question set. Owned by the
// main window (through TestEngine); nothing else keeps test data.
struct TestState {
    int QuestionCount = kDefaultQuestionCount;           // N, 1..kMaxQuestionCount
    int MinutesPerQuestion = kDefaultMinutesPerQuestion; // 1..3
    int BankSize = 0;
    QString SubjectName;
    QString StudentName; // at most 15 characters
    int CurrentIndex = 1;
    int SelectedAnswer = 0; // 0 = none, 1..5
    int RightCount = 0;
    int WrongCount = 0;
    double TimeLeft = 0.0; // fraction of a day
    int RangeFrom = 0;     // 0-based offset of the first drawable record
    int RangeTo = 0;       // exclusive bound
    TestSet Set;

    // False while no complete set has been drawn (the last draw failed):
    // a test cannot be started from a partly drawn set.
    bool SetReady = false;

    int OpenCount() const { return QuestionCount - RightCount - WrongCount; }
};

} // namespace kt
