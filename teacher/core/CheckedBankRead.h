// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "teacher/core/LiveBankCheck.h"
#include "teacher/core/RecordCollector.h"
#include "ui/layout/FitAhead.h"

namespace kt {

// A bank read for the editor with its check made as the records arrive,
// while the reader is still at work, instead of after the read: the screen
// fit of the texts is measured on a second thread a few hundred records
// ahead. What it finds is what LiveBankCheck::reset finds over the same
// records, fit included.
class CheckedBankRead final : public FitAhead {
public:
    explicit CheckedBankRead(BankCheckOptions options = {});

    void expect(qsizetype records) override;
    // Once the read is complete: checks the records still held and what
    // is compared across records.
    void finish();
    RecordHandles takeRecords() { return m_records.takeRecords(); }
    // Hands what was found to the check the editor keeps.
    void handCheckTo(LiveBankCheck& check) { check.adopt(std::move(m_check)); }

protected:
    void takeMeasured(const RecordTexts& batch, qsizetype row) override;

private:
    BankCheckOptions m_options;
    RecordCollector m_records;
    LiveBankCheck m_check;
};

} // namespace kt
