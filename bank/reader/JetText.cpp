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

void appendCodePoint(char32_t c, std::string& out) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

// Turns UTF-16 code units into UTF-8, pairing surrogates across calls.
class Utf8Writer {
public:
    explicit Utf8Writer(std::string& out) : m_out(out) {}
    // False once the text has ended at a U+0000.
    bool unit(char32_t u) {
        if (m_high != 0) {
            const char32_t high = m_high;
            m_high = 0;
            if (isLowSurrogate(u)) {
                appendCodePoint(0x10000 + ((high - 0xD800) << 10) + (u - 0xDC00), m_out);
                return true;
            }
            appendCodePoint(kReplacement, m_out);
        }
        if (u == 0)
            return false;
        if (isHighSurrogate(u))
            m_high = u;
        else
            appendCodePoint(isLowSurrogate(u) ? kReplacement : u, m_out);
        return true;
    }
    void finish() {
        if (m_high != 0)
            appendCodePoint(kReplacement, m_out);
        m_high = 0;
    }

private:
    std::string& m_out;
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
    Utf8Writer w(out);
    if (size >= 2 && data[0] == 0xFF && data[1] == 0xFE)
        decodeCompressed(data + 2, size - 2, w);
    else
        decodePlain(data, size, w);
    w.finish();
}

} // namespace kt
