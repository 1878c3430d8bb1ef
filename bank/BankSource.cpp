// SPDX-License-Identifier: GPL-3.0-or-later
#include "bank/BankSource.h"

#include "bank/KtError.h"

namespace kt {

std::shared_ptr<const CompactBank> BankSource::LoadCompact() {
    return std::make_shared<const CompactBank>(CompactBank::fromTable(Load()));
}

BankTable MemoryBankSource::Load() {
    ++m_loads;
    if (!m_failure.isEmpty())
        throw KtError(m_failure);
    return m_table;
}

} // namespace kt
