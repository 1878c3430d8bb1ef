// SPDX-License-Identifier: GPL-3.0-or-later
#include "bank/reader/JetText.h"

namespace kt {
namespace {

// What Qt's UTF-8 encoder puts for a lone surrogate, and what libmdb put.
constexpr char32_t kReplacement = U'?';

bool isHighSurrogate(char32_t u) {
    return u >= 0xD800 && u <= 0xDBFF;
}
bool isLowSurrogate(char32_t u) {
    return u >= 0xDC00 && u <= 0xDFFF;
}

// Writes the UTF-8 form of `c` at `at` and returns the end of it.
char* encodeCodePoint(char32_t c, char* at) {
    if (c < 0x80) {
        *at++ = static_cast<char>(c);
    } else if (c < 0x800) {
        *at++ = static_cast<char>(0xC0 | (c >> 6));
        *at++ = static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        *at++ = static_cast<char>(0xE0 | (c >> 12));
        *at++ = static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        *at++ = static_cast<char>(0x80 | (c & 0x3F));
    } else {
        *at++ = static_cast<char>(0xF0 | (c >> 18));
        *at++ = static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        *at++ = static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        *at++ = static_cast<char>(0x80 | (c & 0x3F));
    }
    return at;
}

// Turns UTF-16 code units into UTF-8, pairing surrogates across calls. The
// room is made once for the whole text, as every character of a bank passes
// here: no input byte gives more than two bytes of UTF-8, a lone surrogate
// at the end four.
class Utf8Writer {
public:
    Utf8Writer(std::string& out, std::size_t inputBytes) : m_out(out) {
        const std::size_t start = m_out.size();
        m_out.resize(start + 2 * inputBytes + 4);
        m_at = m_out.data() + start;
    }
    // False once the text has ended at a U+0000. Latin and Cyrillic, the
    // bulk of a bank, take the first branch.
    bool unit(char32_t u) {
        if (m_high == 0 && u - 1 < 0x7FF) {
            if (u < 0x80) {
                *m_at++ = static_cast<char>(u);
            } else {
                *m_at++ = static_cast<char>(0xC0 | (u >> 6));
                *m_at++ = static_cast<char>(0x80 | (u & 0x3F));
            }
            return true;
        }
        return otherUnit(u);
    }
    void finish() {
        if (m_high != 0)
            m_at = encodeCodePoint(kReplacement, m_at);
        m_high = 0;
        m_out.resize(static_cast<std::size_t>(m_at - m_out.data()));
    }

private:
    // Surrogates, the end of the text and characters from U+0800 up.
    bool otherUnit(char32_t u) {
        if (m_high != 0) {
            const char32_t high = m_high;
            m_high = 0;
            if (isLowSurrogate(u)) {
                m_at = encodeCodePoint(0x10000 + ((high - 0xD800) << 10) + (u - 0xDC00), m_at);
                return true;
            }
            m_at = encodeCodePoint(kReplacement, m_at);
        }
        if (u == 0)
            return false;
        if (isHighSurrogate(u))
            m_high = u;
        else
            m_at = encodeCodePoint(isLowSurrogate(u) ? kReplacement : u, m_at);
        return true;
    }

    std::string& m_out;
    char* m_at = nullptr;
    char32_t m_high = 0;
};

char32_t unitAt(const unsigned char* p) {
    return static_cast<char32_t>(p[0] | (p[1] << 8));
}

void decodePlain(const unsigned char* data, std::size_t size, Utf8Writer& w) {
    for (std::size_t i = 0; i + 1 < size; i += 2)
        if (!w.unit(unitAt(data + i)))
            return;
}

// A zero byte switches between runs in either kind of run, so a two-byte
// character with a zero low byte cannot stand in a compressed text; Jet
// leaves such texts uncompressed.
void decodeCompressed(const unsigned char* data, std::size_t size, Utf8Writer& w) {
    bool oneByte = true;
    std::size_t i = 0;
    while (i < size) {
        if (data[i] == 0) {
            oneByte = !oneByte;
            ++i;
        } else if (oneByte) {
            w.unit(data[i]);
            ++i;
        } else if (i + 1 < size) {
            w.unit(unitAt(data + i));
            i += 2;
        } else {
            return;
        }
    }
}

} // namespace

void appendJetTextUtf8(const unsigned char* data, std::size_t size, std::string& out) {
    Utf8Writer w(out, size);
    if (size >= 2 && data[0] == 0xFF && data[1] == 0xFE)
        decodeCompressed(data + 2, size - 2, w);
    else
        decodePlain(data, size, w);
    w.finish();
}

} // namespace kt
