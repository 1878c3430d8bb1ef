// SPDX-License-Identifier: GPL-3.0-or-later
#include "bank/import/workbook/XlsxSheet.h"

#include "bank/KtError.h"
#include "bank/import/workbook/SheetRows.h"

#include <QDir>
#include <QHash>
#include <QXmlStreamReader>

namespace kt {
namespace {

struct SheetEntry {
    QString name;
    QString relation;
};

void throwIfBroken(const QXmlStreamReader& xml, const QString& path, const QString& part) {
    if (xml.hasError())
        throw KtError(damagedWorkbook(path, QStringLiteral("%1: %2").arg(part, xml.errorString())));
}

// The r:id attribute, whatever prefix the file gives its namespace.
QString relationId(const QXmlStreamAttributes& attributes) {
    for (const QXmlStreamAttribute& a : attributes)
        if (a.name() == u"id")
            return a.value().toString();
    return QString();
}

std::vector<SheetEntry> sheetList(ZipParts& parts, const QString& path) {
    QXmlStreamReader xml(parts.read(QStringLiteral("xl/workbook.xml")));
    std::vector<SheetEntry> sheets;
    while (!xml.atEnd())
        if (xml.readNext() == QXmlStreamReader::StartElement && xml.name() == u"sheet")
            sheets.push_back({xml.attributes().value(QLatin1String("name")).toString(),
                              relationId(xml.attributes())});
    throwIfBroken(xml, path, QStringLiteral("xl/workbook.xml"));
    return sheets;
}

// The part a workbook relation points at, as a path inside the zip.
QString relationTarget(ZipParts& parts, const QString& path, const QString& id) {
    QXmlStreamReader xml(parts.read(QStringLiteral("xl/_rels/workbook.xml.rels")));
    while (!xml.atEnd()) {
        xml.readNext();
        if (!xml.isStartElement() || xml.name() != u"Relationship" ||
            xml.attributes().value(QLatin1String("Id")) != id)
            continue;
        const QString target = xml.attributes().value(QLatin1String("Target")).toString();
        return target.startsWith(u'/') ? target.mid(1) : QStringLiteral("xl/") + target;
    }
    throwIfBroken(xml, path, QStringLiteral("xl/_rels/workbook.xml.rels"));
    throw KtError(damagedWorkbook(path, QStringLiteral("нет листа %1").arg(id)));
}

// The text of a string item: its runs joined, phonetic hints left out.
QString itemText(QXmlStreamReader& xml, QStringView end) {
    QString text;
    while (!xml.atEnd() && !(xml.readNext() == QXmlStreamReader::EndElement && xml.name() == end)) {
        if (xml.isStartElement() && xml.name() == u"rPh")
            xml.skipCurrentElement();
        else if (xml.isStartElement() && xml.name() == u"t")
            text += xml.readElementText();
    }
    return text;
}

QStringList sharedStrings(ZipParts& parts, const QString& path) {
    const QString name = QStringLiteral("xl/sharedStrings.xml");
    QStringList strings;
    if (!parts.has(name))
        return strings;
    QXmlStreamReader xml(parts.read(name));
    while (!xml.atEnd())
        if (xml.readNext() == QXmlStreamReader::StartElement && xml.name() == u"si")
            strings << itemText(xml, u"si");
    throwIfBroken(xml, path, name);
    return strings;
}

// "C12" -> 3; 0 when the reference names no column.
int columnOf(QStringView reference) {
    int column = 0;
    for (QChar c : reference) {
        if (c < u'A' || c > u'Z')
            break;
        column = column * 26 + (c.unicode() - u'A' + 1);
        if (column > kCsvMaxFields)
            return kCsvMaxFields + 1;
    }
    return column;
}

class CellReader {
public:
    CellReader(QXmlStreamReader& xml, const QStringList& strings, SheetRows& rows)
        : m_xml(xml), m_strings(strings), m_rows(rows) {}

    void row() {
        const int r = m_xml.attributes().value(QLatin1String("r")).toInt();
        m_row = r > 0 ? r : m_row + 1;
        m_column = 0;
    }

    void cell() {
        const int c = columnOf(m_xml.attributes().value(QLatin1String("r")));
        m_column = c > 0 ? c : m_column + 1;
        const QString type = m_xml.attributes().value(QLatin1String("t")).toString();
        QString value;
        if (type == u"inlineStr")
            value = itemText(m_xml, u"c");
        else
            value = valueText(type);
        m_rows.add(m_row, m_column, value, type == u"s" || type == u"inlineStr" || type == u"str");
    }

private:
    QString valueText(const QString& type) {
        QString v;
        while (!m_xml.atEnd() &&
               !(m_xml.readNext() == QXmlStreamReader::EndElement && m_xml.name() == u"c"))
            if (m_xml.isStartElement() && m_xml.name() == u"v")
                v = m_xml.readElementText();
            else if (m_xml.isStartElement())
                m_xml.skipCurrentElement();
        if (type != u"s")
            return v;
        bool ok = false;
        const int index = v.toInt(&ok);
        return ok && index >= 0 && index < m_strings.size() ? m_strings[index] : QString();
    }

    QXmlStreamReader& m_xml;
    const QStringList& m_strings;
    SheetRows& m_rows;
    int m_row = 0;
    int m_column = 0;
};

std::vector<CsvRecord> sheetCells(ZipParts& parts, const QString& path, const QString& part) {
    const QStringList strings = sharedStrings(parts, path);
    QXmlStreamReader xml(parts.read(part));
    SheetRows rows(path);
    CellReader reader(xml, strings, rows);
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        if (xml.name() == u"row")
            reader.row();
        else if (xml.name() == u"c")
            reader.cell();
    }
    throwIfBroken(xml, path, part);
    return rows.take();
}

} // namespace

std::vector<CsvRecord> readXlsxSheet(ZipParts& parts, const QString& path, const QString& sheet) {
    const std::vector<SheetEntry> sheets = sheetList(parts, path);
    for (const SheetEntry& s : sheets)
        if (sheet.isEmpty() || s.name == sheet)
            return sheetCells(parts, path, relationTarget(parts, path, s.relation));
    if (sheets.empty())
        throw KtError(damagedWorkbook(path, QStringLiteral("в книге нет листов")));
    QStringList names;
    for (const SheetEntry& s : sheets)
        names << s.name;
    throw KtError(missingSheet(path, sheet, names));
}

} // namespace kt
