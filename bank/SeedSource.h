// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>

namespace kt {

// Where the draw takes a fresh seed before every slot.
class SeedSource {
public:
    virtual ~SeedSource() = default;
    virtual std::uint32_t Seed() = 0;
};

// The low 32 bits of a monotonic high-resolution clock.
class ClockSeedSource : public SeedSource {
public:
    std::uint32_t Seed() override;
};

// The 32-bit linear congruential generator of the draw.
class Lcg {
public:
    explicit Lcg(std::uint32_t seed) : m_seed(seed) {}
    // Steps the seed and returns a number below n: the high 32 bits of the
    // 64-bit product of the new seed and n.
    std::uint32_t Below(std::uint32_t n) {
        m_seed = m_seed * 134775813u + 1u;
        return static_cast<std::uint32_t>((static_cast<std::uint64_t>(m_seed) * n) >> 32);
    }
    std::uint32_t seed() const { return m_seed; }

private:
    std::uint32_t m_seed;
};

} // namespace kt
