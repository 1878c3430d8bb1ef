// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <string>

namespace kt {

// Appends to `out` the UTF-8 form of a Jet 4 text value as it lies in a row:
// UTF-16LE, or, after the bytes FF FE, Jet's compressed form (runs of
// one-byte characters and of two-byte ones, each zero byte switching runs).
// Surrogate pairs become one character; a lone surrogate becomes "?", as
// Qt's encoder makes it; a stray last byte is dropped. The text ends at a U+0000, as
// it did when libmdb handed texts out as C strings.
void appendJetTextUtf8(const unsigned char* data, std::size_t size, std::string& out);

} // namespace kt
