// SPDX-License-Identifier: GPL-3.0-or-later
#include "csv/CsvDialect.h"

#include "bank/Cp1251.h"

#include <QStringDecoder>
#include <array>

namespace kt {
namespace {

constexpr qint64 kPieceBytes = 1 << 16;

// The length of the bytes without a UTF-8 sequence that is cut at their
// end, so that each piece decodes on its own.
qsizetype completeUtf8Length(const QByteArray& bytes) {
    const qsizetype size = bytes.size();
    for (qsizetype i = size - 1; i >= 0 && i >= size - 4; --i) {
        const auto c = static_cast<unsigned char>(bytes[i]);
        if ((c & 0xC0) == 0x80)
            continue;
        const int needed = c >= 0xF0 ? 4 : c >= 0xE0 ? 3 : c >= 0xC0 ? 2 : 1;
        return size - i < needed ? i : size;
    }
    return size;
}

// The next piece of the file with any cut sequence of the last one before
// it; what this piece cuts goes to `carry`. Empty at the end of the file.
QByteArray nextUtf8Piece(QIODevice& device, QByteArray& carry) {
    QByteArray bytes = carry + device.read(kPieceBytes);
    const bool end = device.atEnd() || bytes.size() == carry.size();
    const qsizetype whole = end ? bytes.size() : completeUtf8Length(bytes);
    carry = bytes.mid(whole);
    bytes.truncate(whole);
    return bytes;
}

bool startsWithUtf16Mark(const QByteArray& bytes) {
    return bytes.startsWith("\xFF\xFE") || bytes.startsWith("\xFE\xFF");
}

} // namespace

QString csvEncodingName(CsvEncoding encoding) {
    if (encoding == CsvEncoding::Utf16)
        return QStringLiteral("UTF-16 («Текст Юникод»)");
    return encoding == CsvEncoding::Cp1251 ? QStringLiteral("Windows-1251")
                                           : QStringLiteral("UTF-8");
}

bool decodeCsvBytes(const QByteArray& bytes, CsvEncoding requested, QString& text,
                    CsvEncoding& used) {
    if (requested == CsvEncoding::Detect && startsWithUtf16Mark(bytes)) {
        text = QStringDecoder(QStringDecoder::Utf16).decode(bytes);
        used = CsvEncoding::Utf16;
        return true;
    }
    if (requested != CsvEncoding::Cp1251) {
        QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
        QString utf8 = decoder.decode(bytes);
        if (!decoder.hasError()) {
            if (utf8.startsWith(QChar(0xFEFF)))
                utf8.remove(0, 1);
            text = std::move(utf8);
            used = CsvEncoding::Utf8;
            return true;
        }
        if (requested == CsvEncoding::Utf8)
            return false;
    }
    text = decodeCp1251(bytes);
    used = CsvEncoding::Cp1251;
    return true;
}

bool detectCsvEncoding(QIODevice& device, CsvEncoding requested, CsvEncoding& used) {
    used = CsvEncoding::Cp1251;
    if (requested == CsvEncoding::Cp1251)
        return true;
    if (requested == CsvEncoding::Detect && startsWithUtf16Mark(device.peek(2))) {
        used = CsvEncoding::Utf16;
        return true;
    }
    QByteArray carry;
    bool valid = true;
    while (valid) {
        const QByteArray piece = nextUtf8Piece(device, carry);
        if (piece.isEmpty())
            break;
        QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
        const QString text = decoder.decode(piece); // decoding happens on conversion
        valid = !decoder.hasError() && !text.isNull();
    }
    if (!device.seek(0))
        return false;
    if (valid)
        used = CsvEncoding::Utf8;
    return valid || requested == CsvEncoding::Detect;
}

CsvFileText::CsvFileText(QIODevice& device, CsvEncoding encoding)
    : m_device(device), m_encoding(encoding) {}

QString CsvFileText::next() {
    QString text;
    if (m_encoding == CsvEncoding::Cp1251) {
        text = decodeCp1251(m_device.read(kPieceBytes));
    } else if (m_encoding == CsvEncoding::Utf16) {
        text = m_utf16.decode(m_device.read(kPieceBytes)); // drops the byte-order mark
    } else {
        QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
        text = decoder.decode(nextUtf8Piece(m_device, m_carry));
    }
    if (m_first && text.startsWith(QChar(0xFEFF)) && m_encoding != CsvEncoding::Cp1251)
        text.remove(0, 1);
    m_first = false;
    return text;
}

QChar detectCsvSeparator(const QString& text) {
    constexpr std::array<char16_t, 3> candidates = {u',', u';', u'\t'};
    std::array<int, 3> counts{};
    bool quoted = false;
    bool seenText = false;
    for (QChar c : text) {
        if (c == u'"')
            quoted = !quoted;
        if (!quoted && (c == u'\n' || c == u'\r')) {
            if (seenText)
                break;
            continue;
        }
        seenText = true;
        for (size_t i = 0; i < candidates.size(); ++i)
            if (!quoted && c == QChar(candidates[i]))
                ++counts[i];
    }
    size_t best = 0;
    for (size_t i = 1; i < candidates.size(); ++i)
        if (counts[i] > counts[best])
            best = i;
    return QChar(candidates[best]);
}

} // namespace kt
