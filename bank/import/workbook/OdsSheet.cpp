// SPDX-License-Identifier: GPL-3.0-or-later
#include "bank/import/workbook/OdsSheet.h"

#include "bank/KtError.h"
#include "bank/import/workbook/SheetRows.h"

#include <QXmlStreamReader>

namespace kt {
namespace {

// A run of equal rows with values is rare and short in a sheet of
// questions; an empty run (a sheet's unused rest) is only counted.
constexpr int kMaxRepeatedRows = 100000;

struct OdsCell {
    int column = 0;
    QString text;
    bool isText = false;
};

// An attribute by its local name: files differ in the prefixes they give
// the OpenDocument namespaces.
QStringView attribute(const QXmlStreamReader& xml, QLatin1String name) {
    for (const QXmlStreamAttribute& a : xml.attributes())
        if (a.name() == name)
            return a.value();
    return {};
}

int repeated(const QXmlStreamReader& xml, QLatin1String name) {
    const int n = attribute(xml, name).toInt();
    return n > 0 ? n : 1;
}

// The text of one paragraph: spans followed, spaces, tabs and line breaks
// as the spreadsheet shows them, notes left out.
QString paragraph(QXmlStreamReader& xml) {
    QString text;
    int depth = 1;
    while (depth > 0 && !xml.atEnd()) {
        const QXmlStreamReader::TokenType token = xml.readNext();
        if (token == QXmlStreamReader::Characters) {
            text += xml.text();
        } else if (token == QXmlStreamReader::EndElement) {
            --depth;
        } else if (token == QXmlStreamReader::StartElement) {
            const QStringView name = xml.name();
            if (name == u"s")
                text += QString(repeated(xml, QLatin1String("c")), u' ');
            else if (name == u"tab")
                text += u'\t';
            else if (name == u"line-break")
                text += u'\n';
            if (name == u"span" || name == u"a")
                ++depth;
            else
                xml.skipCurrentElement();
        }
    }
    return text;
}

OdsCell cell(QXmlStreamReader& xml, int column) {
    const QString type = attribute(xml, QLatin1String("value-type")).toString();
    const QString value = attribute(xml, QLatin1String("value")).toString();
    QStringList paragraphs;
    while (!xml.atEnd() && xml.readNext() != QXmlStreamReader::EndElement)
        if (xml.isStartElement() && xml.name() == u"p")
            paragraphs << paragraph(xml);
        else if (xml.isStartElement())
            xml.skipCurrentElement();
    const bool number = type == u"float" || type == u"percentage" || type == u"currency";
    if (type.isEmpty())
        return {column, QString(), false};
    if (number && !value.isEmpty())
        return {column, value, false};
    return {column, paragraphs.join(u'\n'), type == u"string"};
}

// One table-row: its cells, then the row as often as it repeats.
void row(QXmlStreamReader& xml, int& rowNumber, SheetRows& rows) {
    const int times = repeated(xml, QLatin1String("number-rows-repeated"));
    std::vector<OdsCell> cells;
    int column = 1;
    while (!xml.atEnd() && xml.readNext() != QXmlStreamReader::EndElement) {
        if (!xml.isStartElement())
            continue;
        if (xml.name() != u"table-cell" && xml.name() != u"covered-table-cell") {
            xml.skipCurrentElement();
            continue;
        }
        const int span = repeated(xml, QLatin1String("number-columns-repeated"));
        const OdsCell c = cell(xml, column);
        for (int i = 0; i < span && (!c.text.isEmpty() || c.isText); ++i)
            cells.push_back({column + i, c.text, c.isText});
        column += span;
    }
    const int kept = cells.empty() ? 0 : std::min(times, kMaxRepeatedRows);
    for (int r = 0; r < kept; ++r)
        for (const OdsCell& c : cells)
            rows.add(rowNumber + r, c.column, c.text, c.isText);
    rowNumber += times;
}

std::vector<CsvRecord> tableRows(QXmlStreamReader& xml, const QString& path) {
    SheetRows rows(path);
    int rowNumber = 1;
    int depth = 1;
    while (depth > 0 && !xml.atEnd()) {
        const QXmlStreamReader::TokenType token = xml.readNext();
        if (token == QXmlStreamReader::EndElement)
            --depth;
        else if (token == QXmlStreamReader::StartElement && xml.name() == u"table-row")
            row(xml, rowNumber, rows);
        else if (token == QXmlStreamReader::StartElement)
            ++depth; // header rows, row groups: their rows count as the others
    }
    return rows.take();
}

} // namespace

std::vector<CsvRecord> readOdsSheet(ZipParts& parts, const QString& path, const QString& sheet) {
    QXmlStreamReader xml(parts.read(QStringLiteral("content.xml")));
    QStringList names;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement || xml.name() != u"table")
            continue;
        const QString name = attribute(xml, QLatin1String("name")).toString();
        if (sheet.isEmpty() || name == sheet) {
            std::vector<CsvRecord> rows = tableRows(xml, path);
            if (xml.hasError())
                break;
            return rows;
        }
        names << name;
        xml.skipCurrentElement();
    }
    if (xml.hasError())
        throw KtError(damagedWorkbook(path, QStringLiteral("content.xml: ") + xml.errorString()));
    if (names.isEmpty())
        throw KtError(damagedWorkbook(path, QStringLiteral("в книге нет листов")));
    throw KtError(missingSheet(path, sheet, names));
}

} // namespace kt
