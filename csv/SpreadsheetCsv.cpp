// SPDX-License-Identifier: GPL-3.0-or-later
#include "csv/SpreadsheetCsv.h"

#include "bank/Cp1251.h"
#include "csv/CsvWriter.h"

namespace kt {
namespace {

bool isFormulaStart(QChar c) {
    return c == u'=' || c == u'+' || c == u'-' || c == u'@' || c == u'\t' || c == u'\r';
}

// True for apostrophes (at least `minApostrophes`) followed by a formula start.
bool looksLikeFormula(const QString& text, int minApostrophes) {
    int i = 0;
    while (i < text.size() && text[i] == u'\'')
        ++i;
    return i >= minApostrophes && i < text.size() && isFormulaStart(text[i]);
}

} // namespace

QString neutraliseFormula(const QString& text) {
    return looksLikeFormula(text, 0) ? u'\'' + text : text;
}

QString restoreFormula(const QString& text) {
    return looksLikeFormula(text, 1) ? text.mid(1) : text;
}

QByteArray CsvFileForm::start() const {
    return m_form == Form::Utf8WithMark ? QByteArrayLiteral("\xEF\xBB\xBF") : QByteArray();
}

QByteArray CsvFileForm::encode(const QString& text) const {
    return m_form == Form::Cp1251 ? encodeCp1251(text) : text.toUtf8();
}

QByteArray spreadsheetCsv(const QList<QStringList>& rows) {
    QString text;
    for (const QStringList& row : rows) {
        QStringList cells;
        cells.reserve(row.size());
        for (const QString& cell : row)
            cells.append(neutraliseFormula(cell));
        text += csvRecord(cells, kSpreadsheetSeparator, u"\r\n");
    }
    const CsvFileForm form = CsvFileForm::spreadsheet(fitsCp1251(text));
    return form.start() + form.encode(text);
}

} // namespace kt
