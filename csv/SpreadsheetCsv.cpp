// SPDX-License-Identifier: GPL-3.0-or-later
#include "csv/SpreadsheetCsv.h"

#include "bank/Cp1251.h"

namespace kt {
namespace {

bool needsQuotes(const QString& field, QChar separator) {
    for (QChar c : field)
        if (c == separator || c == u'"' || c == u'\n' || c == u'\r')
            return true;
    return false;
}

} // namespace

QString csvRecord(const QStringList& fields, QChar separator, QStringView lineEnd) {
    QString out;
    for (qsizetype i = 0; i < fields.size(); ++i) {
        if (i > 0)
            out += separator;
        const QString& f = fields[i];
        if (!needsQuotes(f, separator)) {
            out += f;
            continue;
        }
        out += u'"';
        for (QChar c : f) {
            if (c == u'"')
                out += u'"';
            out += c;
        }
        out += u'"';
    }
    out += lineEnd;
    return out;
}

QString spreadsheetCell(const QString& text) {
    if (text.isEmpty())
        return text;
    const QChar first = text.front();
    if (first == u'=' || first == u'+' || first == u'-' || first == u'@' || first == u'\t' ||
        first == u'\r')
        return u'\'' + text;
    return text;
}

QByteArray spreadsheetCsv(const QList<QStringList>& rows) {
    QString text;
    for (const QStringList& row : rows) {
        QStringList cells;
        cells.reserve(row.size());
        for (const QString& cell : row)
            cells.append(spreadsheetCell(cell));
        text += csvRecord(cells, u';', u"\r\n");
    }
    if (fitsCp1251(text))
        return encodeCp1251(text);
    return QByteArrayLiteral("\xEF\xBB\xBF") + text.toUtf8();
}

} // namespace kt
