// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/TextFormats.h"

#include <QStringList>
#include <cmath>

namespace kt {
namespace {

constexpr qint64 kMsPerDay = 86400000;

QString twoDigits(int v) {
    return QStringLiteral("%1").arg(v, 2, 10, QLatin1Char('0'));
}

QString hmsText(qint64 ms) {
    const qint64 totalSeconds = ms / 1000; // whole seconds: the milliseconds are dropped
    const int h = static_cast<int>(totalSeconds / 3600);
    const int m = static_cast<int>((totalSeconds / 60) % 60);
    const int s = static_cast<int>(totalSeconds % 60);
    return QString::number(h) + QLatin1Char(':') + twoDigits(m) + QLatin1Char(':') + twoDigits(s);
}

// One time part: one or two decimal digits, below `limit`.
bool parsePart(const QString& part, int limit, int* value) {
    if (part.isEmpty() || part.size() > 2)
        return false;
    for (QChar c : part)
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return false;
    *value = part.toInt();
    return *value < limit;
}

} // namespace

QString timeText(double dayFraction) {
    // Rounding to the millisecond first keeps a countdown that has gathered
    // floating-point dust from showing one second too few.
    qint64 ms = std::llround(dayFraction * static_cast<double>(kMsPerDay));
    if (ms < 0)
        ms = 0;
    return hmsText(ms % kMsPerDay);
}

bool parseTimeText(const QString& text, double* dayFraction) {
    const QStringList parts = text.split(QLatin1Char(':'));
    if (parts.size() != 3)
        return false;
    int h = 0;
    int m = 0;
    int s = 0;
    if (!parsePart(parts[0], 24, &h) || !parsePart(parts[1], 60, &m) ||
        !parsePart(parts[2], 60, &s))
        return false;
    *dayFraction = static_cast<double>(h * 3600 + m * 60 + s) / 86400.0;
    return true;
}

QString timeOfDayText(const QTime& time) {
    if (!time.isValid())
        return hmsText(0);
    return hmsText(static_cast<qint64>(time.msecsSinceStartOfDay()));
}

QString dateText(const QDate& date) {
    if (!date.isValid())
        return QString();
    return twoDigits(date.day()) + QLatin1Char('.') + twoDigits(date.month()) + QLatin1Char('.') +
           QStringLiteral("%1").arg(date.year(), 4, 10, QLatin1Char('0'));
}

QString groupedNumber(int value) {
    const qint64 v = value;
    QString digits = QString::number(v < 0 ? -v : v);
    for (int i = digits.size() - 3; i > 0; i -= 3)
        digits.insert(i, QChar(0x00A0));
    return v < 0 ? QLatin1Char('-') + digits : digits;
}

QString percentText(int right, int n) {
    // Whole-number arithmetic: a double quotient gives 57 for 29 of 50.
    const qint64 pct = n > 0 ? (100 * static_cast<qint64>(std::max(right, 0))) / n : 0;
    return QString::number(pct) + QStringLiteral(" %");
}

QString errorBoxText(const QString& message) {
    if (!message.isEmpty() && message.back() > QLatin1Char('.'))
        return message + QLatin1Char('.');
    return message;
}

} // namespace kt
