// SPDX-License-Identifier: GPL-3.0-or-later
#include "bank/Utf8.h"

#include <QString>

#include <algorithm>

namespace kt {

Utf8Char nextUtf8(const unsigned char* p, qsizetype left) {
    const unsigned char b0 = p[0];
    int n = 0;
    char32_t cp = 0;
    char32_t lowest = 0;
    if (b0 >= 0xC2 && b0 <= 0xDF) {
        n = 2, cp = b0 & 0x1F, lowest = 0x80;
    } else if (b0 >= 0xE0 && b0 <= 0xEF) {
        n = 3, cp = b0 & 0x0F, lowest = 0x800;
    } else if (b0 >= 0xF0 && b0 <= 0xF4) {
        n = 4, cp = b0 & 0x07, lowest = 0x10000;
    } else {
        return {};
    }
    if (left < n)
        return {};
    for (int k = 1; k < n; ++k) {
        if ((p[k] & 0xC0) != 0x80)
            return {};
        cp = (cp << 6) | (p[k] & 0x3F);
    }
    if (cp < lowest || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))
        return {};
    return {cp, n};
}

qsizetype utf8ToUtf16(const char* src, qsizetype size, char16_t* dst) {
    const auto* p = reinterpret_cast<const unsigned char*>(src);
    char16_t* out = dst;
    qsizetype at = 0;
    if (size >= 3 && p[0] == 0xEF && p[1] == 0xBB && p[2] == 0xBF)
        at = 3; // Qt drops a byte-order mark that opens a text
    while (at < size) {
        if (p[at] < 0x80) {
            *out++ = p[at++];
            continue;
        }
        // Cyrillic, the bulk of a bank's texts, is two bytes a letter.
        if (p[at] >= 0xC2 && p[at] <= 0xDF && at + 1 < size && (p[at + 1] & 0xC0) == 0x80) {
            *out++ = static_cast<char16_t>(((p[at] & 0x1F) << 6) | (p[at + 1] & 0x3F));
            at += 2;
            continue;
        }
        const Utf8Char c = nextUtf8(p + at, size - at);
        if (c.length == 0) {
            // Bad bytes are rare: Qt's own decoder decides what they become,
            // as it does everywhere else in the program.
            const QString text = QString::fromUtf8(src, size);
            const qsizetype n = std::min<qsizetype>(text.size(), size);
            std::copy_n(reinterpret_cast<const char16_t*>(text.constData()), n, dst);
            return n;
        }
        at += c.length;
        if (c.cp >= 0x10000) {
            *out++ = static_cast<char16_t>(0xD7C0 + (c.cp >> 10));
            *out++ = static_cast<char16_t>(0xDC00 | (c.cp & 0x3FF));
        } else {
            *out++ = static_cast<char16_t>(c.cp);
        }
    }
    return out - dst;
}

} // namespace kt
