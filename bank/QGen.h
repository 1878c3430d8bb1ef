// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "bank/Bank.h"
#include "bank/SeedSource.h"
#include "bank/TestDefaults.h"
#include "bank/TestItem.h"

namespace kt {

struct QGenRequest {
    int questionCount = kDefaultQuestionCount;
    int rangeFrom = 0; // 0-based offset of the first record that may be drawn
    int rangeTo = 0;   // exclusive bound
};

struct QGenResult {
    int bankSize = 0;
    QString subjectName;
};

// Told once the bank has been counted, before any slot is drawn, so that the
// displays depending on the bank's size can follow it.
class QGenListener {
public:
    virtual ~QGenListener() = default;
    virtual void BankCounted(int bankSize) = 0;
};

// Draws slots 1..questionCount of `set` from the records at offsets
// rangeFrom..rangeTo-1: every slot re-seeds the generator, draws an offset
// and is rejected while its question text repeats an earlier slot's or its
// right-answer field is empty. Opens and closes `bank`.
//
// Throws BankOpenError when the bank cannot be opened, and KtError with a
// message naming the range when it cannot hold questionCount distinct
// questions; in both cases `set` is left untouched.
QGenResult QGen(Bank& bank, const QGenRequest& request, SeedSource& seeds, TestSet& set,
                QGenListener* listener = nullptr);

// The record offset that a draw r lands on when it walks from the first
// record, as the bank's cursor does: the walk stops at the last record.
int drawOffset(int rangeFrom, std::uint32_t r, int recordCount);

} // namespace kt
