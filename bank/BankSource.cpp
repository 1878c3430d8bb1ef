// SPDX-License-Identifier: GPL-3.0-or-later
#include "bank/BankSource.h"

namespace kt {

std::shared_ptr<const CompactBank> BankSource::LoadCompact() {
    return std::make_shared<const CompactBank>(CompactBank::fromTable(Load()));
}

} // namespace kt
