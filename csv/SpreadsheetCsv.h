// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

namespace kt {

// The one rule for CSV files a spreadsheet opens with a double click under a
// Russian system: semicolons, CR LF, code page 1251 when every text fits,
// else UTF-8 with the byte-order mark that tells the spreadsheet so, and an
// apostrophe before every cell it would run as a formula.
constexpr QChar kSpreadsheetSeparator = u';';

// A spreadsheet runs a cell that starts with "=", "+", "-" or "@" (or a tab
// or a carriage return) as a formula. neutraliseFormula puts an apostrophe
// before such a text, and before one that is such a text after apostrophes of
// its own; restoreFormula takes one apostrophe off a text of apostrophes
// followed by one of those characters. So writing then reading gives back
// every text exactly.
QString neutraliseFormula(const QString& text);
QString restoreFormula(const QString& text);

// How a CSV file's text becomes its bytes.
class CsvFileForm {
public:
    // UTF-8 without a byte-order mark: the form scripts and the import read.
    static CsvFileForm utf8() { return CsvFileForm(Form::Utf8); }
    // The spreadsheet's form: code page 1251 for a file whose texts all fit
    // it, else UTF-8 with the byte-order mark.
    static CsvFileForm spreadsheet(bool everyTextFitsCp1251) {
        return CsvFileForm(everyTextFitsCp1251 ? Form::Cp1251 : Form::Utf8WithMark);
    }
    // What the file begins with: the byte-order mark, or nothing.
    QByteArray start() const;
    QByteArray encode(const QString& text) const;

private:
    enum class Form { Utf8, Utf8WithMark, Cp1251 };
    explicit CsvFileForm(Form form) : m_form(form) {}
    Form m_form;
};

// A table (first row the header) as a spreadsheet's CSV file, every cell
// through neutraliseFormula.
QByteArray spreadsheetCsv(const QList<QStringList>& rows);

} // namespace kt
