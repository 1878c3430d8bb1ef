// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "bank/BankSource.h"

namespace kt {

// A source over records already in memory, for the suites: it counts its
// loads and can be made to fail.
class MemoryBankSource : public BankSource {
public:
    explicit MemoryBankSource(BankTable table) : m_table(std::move(table)) {}
    BankTable Load() override;
    QString Location() const override { return QStringLiteral("memory"); }
    BankTable& table() { return m_table; }
    // Makes the next loads fail with this message (empty: succeed again).
    void setFailure(const QString& message) { m_failure = message; }
    int loads() const { return m_loads; }

private:
    BankTable m_table;
    QString m_failure;
    int m_loads = 0;
};

} // namespace kt
