// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <ostream>

QT_BEGIN_NAMESPACE
// Readable failure messages for texts: GoogleTest finds this by the type's
// namespace.
inline void PrintTo(const QString& text, std::ostream* os) {
    *os << '"' << text.toStdString() << '"';
}
QT_END_NAMESPACE
