#include "BankSource.h"

#include "KtError.h"

namespace kt {

BankTable MemoryBankSource::Load() {
    ++m_loads;
    if (!m_failure.isEmpty())
        throw KtError(m_failure);
    return m_table;
}

} // namespace kt
