// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QIODevice>
#include <QString>
#include <QStringDecoder>

namespace kt {

// How the bytes of a CSV file are read as text.
// Utf16: Excel's «Текст Юникод», told by its byte-order mark.
enum class CsvEncoding { Detect, Utf8, Cp1251, Utf16 };

// Spreadsheets save CSV in the encoding and with the separator of their
// locale: in a Russian one, semicolons and Windows-1251, or UTF-8 with a
// byte-order mark. These find out which a file uses.

// The encoding's name as messages and the usage text give it.
QString csvEncodingName(CsvEncoding encoding);

// Decodes the bytes. Detect: a UTF-16 byte-order mark gives UTF-16, valid UTF-8 (a leading byte-order mark is
// dropped) is UTF-8, anything else Windows-1251. `used` receives the
// encoding taken. Returns false when UTF-8 was asked for and the bytes are
// not UTF-8.
bool decodeCsvBytes(const QByteArray& bytes, CsvEncoding requested, QString& text,
                    CsvEncoding& used);

// The same choice for a file read from its device, which is read through
// once a piece at a time and left at its start again: the file is never held
// whole. Returns false as decodeCsvBytes does, and when the device cannot
// go back to its start.
bool detectCsvEncoding(QIODevice& device, CsvEncoding requested, CsvEncoding& used);

// The text of a file in an encoding found above, one piece per call (empty
// at the end), as decodeCsvBytes would give it whole. Feeds a CsvReader.
class CsvFileText {
public:
    CsvFileText(QIODevice& device, CsvEncoding encoding);
    QString next();

private:
    QIODevice& m_device;
    CsvEncoding m_encoding;
    QByteArray m_carry; // the start of a UTF-8 sequence that the last piece cut
    QStringDecoder m_utf16{QStringDecoder::Utf16}; // keeps a cut pair between pieces
    bool m_first = true;
};

// The separator of the header line: whichever of ',', ';' and tab occurs
// most often outside quotes in the first line that is not blank; ',' when
// none does.
QChar detectCsvSeparator(const QString& text);

} // namespace kt
