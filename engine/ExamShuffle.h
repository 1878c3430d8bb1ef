// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "bank/SeedSource.h"
#include "bank/TestItem.h"

#include <array>

namespace kt {

// Which of the bank's variants each place on the question screen shows:
// order[k] for the places k = 1 (A) to 5 (E); order[0] is unused.
using VariantOrder = std::array<int, 6>;

constexpr VariantOrder kBankOrder{0, 1, 2, 3, 4, 5};

// A random order, taken from a fresh seed as the draw takes one per slot.
VariantOrder shuffledOrder(SeedSource& seeds);

// Puts the item's answers in `order` and makes its right answer the place
// that now shows the right variant; a right answer that names no variant
// (0, or above 5) stays as it is, so such a question is still always wrong.
void applyVariantOrder(TestItem& item, const VariantOrder& order);

// The bank's variant number for a place; 0 (nothing chosen) stays 0.
int bankVariant(const VariantOrder& order, int place);

} // namespace kt
