// SPDX-License-Identifier: GPL-3.0-or-later
#include "csv/CsvDialect.h"

#include "bank/Cp1251.h"

#include <QStringDecoder>
#include <array>

namespace kt {

QString csvEncodingName(CsvEncoding encoding) {
    return encoding == CsvEncoding::Cp1251 ? QStringLiteral("Windows-1251")
                                           : QStringLiteral("UTF-8");
}

bool decodeCsvBytes(const QByteArray& bytes, CsvEncoding requested, QString& text,
                    CsvEncoding& used) {
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
