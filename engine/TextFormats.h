// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDate>
#include <QString>
#include <QTime>

namespace kt {

// The fixed Russian formats of the program, independent of the system locale.

// A fraction of a day as "9:05:03": hours without a leading zero, minutes and
// seconds with two digits, after rounding to the nearest millisecond.
QString timeText(double dayFraction);
// Parses "h:mm:ss" (one- or two-digit parts) into a fraction of a day;
// returns false for anything else.
bool parseTimeText(const QString& text, double* dayFraction);
QString timeOfDayText(const QTime& time); // 9:05:03
QString dateText(const QDate& date);      // 07.12.2026
// A number with the no-break space as thousands separator from 1000 on.
QString groupedNumber(int value);
// The percentage text "77 %" of right answers out of n, rounded down.
QString percentText(int right, int n);
// The default error box's text: "." is appended when the message's last
// character sorts after ".".
QString errorBoxText(const QString& message);

} // namespace kt
