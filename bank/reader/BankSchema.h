// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "bank/BankSchemaListing.h"

namespace kt {

// Lists the file's user objects and the named table's columns without
// reading any record of that table.
BankSchemaListing readBankSchema(const QByteArray& path, const QString& tableName);

} // namespace kt
