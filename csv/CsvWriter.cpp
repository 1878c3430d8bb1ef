// SPDX-License-Identifier: GPL-3.0-or-later
#include "csv/CsvWriter.h"

namespace kt {
namespace {

bool needsQuotes(const QString& text, QChar separator) {
    if (text.isEmpty())
        return true;
    for (QChar c : text)
        if (c == separator || c == u'"' || c == u'\n' || c == u'\r')
            return true;
    return false;
}

void appendField(QString& line, const QString& text, QChar separator) {
    if (!needsQuotes(text, separator)) {
        line += text;
        return;
    }
    line += u'"';
    for (QChar c : text) {
        if (c == u'"')
            line += u'"';
        line += c;
    }
    line += u'"';
}

} // namespace

QString formatCsvRecord(const std::vector<std::optional<QString>>& fields, QChar separator,
                        QStringView lineEnd) {
    QString line;
    for (size_t i = 0; i < fields.size(); ++i) {
        if (i > 0)
            line += separator;
        if (fields[i])
            appendField(line, *fields[i], separator);
    }
    line += lineEnd;
    return line;
}

QString csvRecord(const QStringList& fields, QChar separator, QStringView lineEnd) {
    std::vector<std::optional<QString>> cells;
    cells.reserve(static_cast<size_t>(fields.size()));
    for (const QString& f : fields)
        cells.push_back(f.isEmpty() ? std::nullopt : std::optional<QString>(f));
    return formatCsvRecord(cells, separator, lineEnd);
}

} // namespace kt
