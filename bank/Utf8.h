// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QtGlobal>

namespace kt {

// One character of strict UTF-8: its code point and the length of its
// sequence; length 0 for a sequence that is not well formed (overlong, a
// surrogate, beyond U+10FFFF or cut short).
struct Utf8Char {
    char32_t cp = 0;
    int length = 0;
};

// The character whose sequence begins at `p`, `left` bytes remaining; p[0]
// is not ASCII.
Utf8Char nextUtf8(const unsigned char* p, qsizetype left);

// The `size` bytes of UTF-8 at `src` written to `dst` as UTF-16, exactly as
// QString::fromUtf8 would read them (bad bytes and an opening byte-order
// mark included); returns the units
// written, never more than `size`, which is the room `dst` must have.
qsizetype utf8ToUtf16(const char* src, qsizetype size, char16_t* dst);

} // namespace kt
