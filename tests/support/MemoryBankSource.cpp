// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/support/MemoryBankSource.h"

#include "bank/KtError.h"

namespace kt {

BankTable MemoryBankSource::Load() {
    ++m_loads;
    if (!m_failure.isEmpty())
        throw KtError(m_failure);
    return m_table;
}

} // namespace kt
