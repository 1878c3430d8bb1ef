// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "bank/check/BankCheck.h"

#include <optional>

namespace kt {

// The test that the settings file beside the bank sets up, as the check
// takes it: what the file names over the built-in values (60 questions,
// the whole bank); none when there is no such file.
std::optional<SavedTest> savedTestBeside(const QString& bankPath);

} // namespace kt
