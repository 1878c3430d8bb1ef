// SPDX-License-Identifier: GPL-3.0-or-later
#include "bank/Cp1251.h"

#include "bank/Utf8.h"

#include <algorithm>
#include <array>

namespace kt {
namespace {

// Unicode code points of bytes 0x80..0xFF; 0 marks the one unassigned byte (0x98).
constexpr std::array<char16_t, 128> kHigh = {
    0x0402, 0x0403, 0x201A, 0x0453, 0x201E, 0x2026, 0x2020, 0x2021, 0x20AC, 0x2030, 0x0409, 0x2039,
    0x040A, 0x040C, 0x040B, 0x040F, 0x0452, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x0000, 0x2122, 0x0459, 0x203A, 0x045A, 0x045C, 0x045B, 0x045F, 0x00A0, 0x040E, 0x045E, 0x0408,
    0x00A4, 0x0490, 0x00A6, 0x00A7, 0x0401, 0x00A9, 0x0404, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x0407,
    0x00B0, 0x00B1, 0x0406, 0x0456, 0x0491, 0x00B5, 0x00B6, 0x00B7, 0x0451, 0x2116, 0x0454, 0x00BB,
    0x0458, 0x0405, 0x0455, 0x0457, 0x0410, 0x0411, 0x0412, 0x0413, 0x0414, 0x0415, 0x0416, 0x0417,
    0x0418, 0x0419, 0x041A, 0x041B, 0x041C, 0x041D, 0x041E, 0x041F, 0x0420, 0x0421, 0x0422, 0x0423,
    0x0424, 0x0425, 0x0426, 0x0427, 0x0428, 0x0429, 0x042A, 0x042B, 0x042C, 0x042D, 0x042E, 0x042F,
    0x0430, 0x0431, 0x0432, 0x0433, 0x0434, 0x0435, 0x0436, 0x0437, 0x0438, 0x0439, 0x043A, 0x043B,
    0x043C, 0x043D, 0x043E, 0x043F, 0x0440, 0x0441, 0x0442, 0x0443, 0x0444, 0x0445, 0x0446, 0x0447,
    0x0448, 0x0449, 0x044A, 0x044B, 0x044C, 0x044D, 0x044E, 0x044F};

// Byte of every character of the basic plane, 0 where the code page has
// none: built once, so that a bank's texts map a character in one look-up.
const std::array<unsigned char, 0x10000>& byteTable() {
    static const std::array<unsigned char, 0x10000> table = [] {
        std::array<unsigned char, 0x10000> t{};
        for (int u = 0; u < 0x80; ++u)
            t[u] = static_cast<unsigned char>(u);
        for (int i = 0; i < 128; ++i)
            if (kHigh[i] != 0)
                t[kHigh[i]] = static_cast<unsigned char>(0x80 + i);
        return t;
    }();
    return table;
}

// Returns 0 when the character has no byte in the code page.
int byteOf(char16_t u) {
    return byteTable()[u];
}

// The slow road for text that is not well-formed UTF-8: Qt's decoder
// replaces the bad bytes, as the rest of the program would see them.
qsizetype viaQString(const char* src, qsizetype size, char* dst, int maxUnits) {
    const QByteArray bytes = encodeCp1251(cp1251Text(QString::fromUtf8(src, size), maxUnits));
    std::copy(bytes.cbegin(), bytes.cend(), dst);
    return bytes.size();
}

} // namespace

char cp1251Byte(QChar c) {
    const char16_t u = c.unicode();
    if (u == 0)
        return 0;
    const int b = byteOf(u);
    return b == 0 ? '?' : static_cast<char>(b);
}

// A character outside the basic plane is two QChars but one character: it
// becomes a single "?".
static bool isPairAt(const QString& text, int i) {
    return text.at(i).isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate();
}

QByteArray encodeCp1251(const QString& text) {
    QByteArray out;
    out.reserve(text.size());
    for (int i = 0; i < text.size(); ++i) {
        if (isPairAt(text, i))
            ++i;
        out.append(cp1251Byte(text.at(i)));
    }
    return out;
}

QString decodeCp1251(const QByteArray& bytes) {
    // Reports run to many megabytes: decode through a table into a buffer
    // sized once.
    static const std::array<char16_t, 256> table = [] {
        std::array<char16_t, 256> t{};
        for (int b = 0; b < 256; ++b)
            t[b] = b < 0x80 ? char16_t(b) : (kHigh[b - 0x80] ? kHigh[b - 0x80] : u'?');
        return t;
    }();
    QString out(bytes.size(), Qt::Uninitialized);
    char16_t* dst = reinterpret_cast<char16_t*>(out.data());
    for (char ch : bytes)
        *dst++ = table[static_cast<unsigned char>(ch)];
    return out;
}

QString cp1251Text(const QString& text, int maxLength) {
    QString out;
    const int n = std::min<int>(text.size(), maxLength);
    out.reserve(n);
    for (int i = 0; i < n; ++i) {
        if (isPairAt(text, i))
            ++i;
        const QChar c = text.at(i);
        out.append(c.unicode() != 0 && byteOf(c.unicode()) == 0 ? QChar(u'?') : c);
    }
    return out;
}

qsizetype utf8ToCp1251(const char* src, qsizetype size, char* dst, int maxUnits) {
    const auto* p = reinterpret_cast<const unsigned char*>(src);
    const auto& table = byteTable();
    qsizetype at = 0;
    int units = 0; // UTF-16 units taken, as cp1251Text counts them
    char* out = dst;
    while (at < size && units < maxUnits) {
        if (p[at] < 0x80) {
            *out++ = static_cast<char>(p[at++]);
            ++units;
            continue;
        }
        const Utf8Char c = nextUtf8(p + at, size - at);
        if (c.length == 0)
            return viaQString(src, size, dst, maxUnits);
        at += c.length;
        if (c.cp >= 0x10000) {
            *out++ = '?'; // a pair of units, one character the code page lacks
            units += 2;
        } else {
            const unsigned char b = table[c.cp];
            *out++ = b == 0 ? '?' : static_cast<char>(b);
            ++units;
        }
    }
    return out - dst;
}

bool fitsCp1251(QStringView text) {
    for (QChar c : text)
        if (c.unicode() != 0 && byteOf(c.unicode()) == 0)
            return false;
    return true;
}

} // namespace kt
