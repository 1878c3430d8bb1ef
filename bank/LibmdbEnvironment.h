// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>

namespace kt {

// The environment variables libmdb reads to change its options, its text
// conversion and where it looks for files. The reader clears them all, so that
// what it reads depends on the file alone.
inline constexpr std::array<const char*, 4> kLibmdbVariables = {"MDBOPTS", "MDBICONV", "MDBPATH",
                                                                "MDB_JET3_CHARSET"};

} // namespace kt
