// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "bank/check/BankCheck.h"
#include "ui/layout/FitAhead.h"

namespace kt {

// The check of a bank as its records arrive, with the screen fit of their
// texts measured on a second thread a few hundred records ahead of the
// rest of the check. The report is the one BankChecker gives with the fit
// measured in turn.
class FitAheadCheck : public FitAhead {
public:
    explicit FitAheadCheck(BankCheckOptions options, qsizetype batchRecords = 512)
        : FitAhead(batchRecords), m_checker(measuredFits(std::move(options))) {}

    void expect(qsizetype records) override { m_checker.expect(records); }
    BankCheckReport finish() {
        drain();
        return m_checker.finish();
    }

protected:
    void takeMeasured(const RecordTexts& batch, qsizetype row) override {
        m_checker.add(batch, row);
    }

private:
    BankChecker m_checker;
};

} // namespace kt
