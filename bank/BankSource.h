// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "bank/BankRecord.h"
#include "bank/CompactBank.h"

#include <memory>

namespace kt {

// Where a bank's records come from. Load() reads the whole question table in
// the file's record order, with the ten fields bound by name, or throws
// KtError with the message the user is to see (for instance
// "Field 'Метка' not found"). A caller never sees a partial table.
class BankSource {
public:
    virtual ~BankSource() = default;
    virtual BankTable Load() = 0;
    // The table in the form the program keeps it, with the code page rules
    // applied. A source may hand out the same table again while its store
    // is unchanged; nobody changes it.
    virtual std::shared_ptr<const CompactBank> LoadCompact();
    // The file (or other store) this source reads, for messages.
    virtual QString Location() const = 0;
};

} // namespace kt
