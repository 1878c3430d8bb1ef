// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

namespace kt {

// The one CSV writer, after RFC 4180: fields joined by `separator`; a field
// holding the separator, a quote or a line break is put in quotes, a quote
// inside doubled. nullopt gives an empty field, an empty text "" (so a
// reader tells an unfilled field from an empty text). The record ends with
// `lineEnd`.
QString formatCsvRecord(const std::vector<std::optional<QString>>& fields, QChar separator = u',',
                        QStringView lineEnd = u"\r\n");

// The same for a row of plain texts, where an empty text is an empty field.
QString csvRecord(const QStringList& fields, QChar separator, QStringView lineEnd);

} // namespace kt
