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

// True when every character of the text exists in the code page.
bool fitsCp1251(const QString& text);

} // namespace kt
