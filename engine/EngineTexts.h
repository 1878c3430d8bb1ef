// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace kt {

// The settings screen's bank-size line, which the report copies as it is.
inline QString bankSizeLineText(int bankSize) {
    return QStringLiteral("Всего вопросов в базе - ") + QString::number(bankSize);
}

// The prefix of the connection-error dialog; the error's own text follows it.
inline QString connectionErrorText(const QString& message) {
    return QStringLiteral("Ошибка соединения с базой данных  ") + message;
}

// The student's name as the test keeps it: cut to the name box's length in
// the code page (TestEngine.cpp).
QString studentNameOf(const QString& typed, int maxLength = 15);

} // namespace kt
