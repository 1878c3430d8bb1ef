// SPDX-License-Identifier: GPL-3.0-or-later
// libFuzzer target for the reader's own text decoding: any bytes as a Jet 4
// text value. The reader target rarely makes a well-formed row with a
// compressed text, so the decoder is driven here directly.
#include "bank/reader/JetText.h"

#include <QByteArray>
#include <QString>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string out;
    kt::appendJetTextUtf8(data, size, out);
    // Every input byte gives at most two bytes of UTF-8 (a compressed
    // character below U+0100), and what comes out is valid UTF-8.
    if (out.size() > 2 * size)
        std::abort();
    // The letter in front keeps Qt from taking a leading U+FEFF for a mark.
    const QByteArray bytes = "x" + QByteArray(out.data(), static_cast<qsizetype>(out.size()));
    if (QString::fromUtf8(bytes).toUtf8() != bytes)
        std::abort();
    return 0;
}
