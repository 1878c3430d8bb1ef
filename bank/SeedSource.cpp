// SPDX-License-Identifier: GPL-3.0-or-later
#include "bank/SeedSource.h"

#include <chrono>

namespace kt {

std::uint32_t ClockSeedSource::Seed() {
    const auto ticks = std::chrono::steady_clock::now().time_since_epoch().count();
    return static_cast<std::uint32_t>(static_cast<std::uint64_t>(ticks) & 0xFFFFFFFFu);
}

} // namespace kt
