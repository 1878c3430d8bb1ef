// SPDX-License-Identifier: GPL-3.0-or-later
#include "teacher/core/CheckedBankRead.h"

namespace kt {

CheckedBankRead::CheckedBankRead(BankCheckOptions options)
    : m_options(measuredFits(std::move(options))) {
    m_check.start();
}

void CheckedBankRead::expect(qsizetype records) {
    m_records.expect(records);
    m_check.reserve(records);
}

void CheckedBankRead::takeMeasured(const RecordTexts& batch, qsizetype row) {
    m_check.append(m_records.add(batch, row), m_options);
}

void CheckedBankRead::finish() {
    drain();
    m_check.appended();
}

} // namespace kt
