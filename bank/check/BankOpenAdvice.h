// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "bank/BankReadError.h"

namespace kt {

// A line that tells the teacher what to do about a bank the program cannot
// open: for the kind of failure, or for any error of a read (one that names
// no kind gets the general advice). The wording of the message plays no part.
QString bankOpenAdvice(BankFailure failure);
QString bankOpenAdvice(const KtError& error);

} // namespace kt
