// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>

namespace kt {

// Texts of the system are 8-bit strings in the Windows Cyrillic code page.
// Inside the program they are QStrings; these helpers are the one place where
// the code page's rules apply.

// Byte of the code page for a character, or '?' when the code page lacks it.
char cp1251Byte(QChar c);
QByteArray encodeCp1251(const QString& text);
QString decodeCp1251(const QByteArray& bytes);

// The text as the code page can carry it: characters it lacks become "?",
// and the result is cut to maxLength characters (255 for the set's strings).
QString cp1251Text(const QString& text, int maxLength = 255);

// The text of `size` bytes of UTF-8 at `src` written to `dst` as the code
// page's bytes, with the rules of cp1251Text (cut after maxUnits UTF-16
// units); returns the number of bytes written, never more than maxUnits.
// Bytes that are not well-formed UTF-8 are read as Qt reads them.
qsizetype utf8ToCp1251(const char* src, qsizetype size, char* dst, int maxUnits = 255);

// True when every character of the text exists in the code page.
bool fitsCp1251(QStringView text);

} // namespace kt
