// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// What the report benchmarks share: report blocks in the student program's
// own form and a stopwatch that shows processor time beside wall time.

#include "bank/Cp1251.h"

#include <QElapsedTimer>
#include <QStringList>
#include <cstdio>
#include <ctime>

namespace kt::bench {

// Block number `test` of a large report: names with commas and quotes, dates
// through a month, and the thousands separator in the range.
inline QByteArray reportBlock(int test) {
    const QStringList lines = {
        QStringLiteral(" "),
        QStringLiteral("Студент --- Ученик%1 Фамилия, 9 \"Б\"").arg(test % 997),
        QStringLiteral("Ответил правильно на --- %1 %").arg(test % 101),
        QStringLiteral("Дата тестирования --- %1.12.2026").arg(1 + test % 28, 2, 10, QChar('0')),
        QStringLiteral("Время завершения тестирования --- %1:%2:03")
            .arg(test % 24)
            .arg(test % 60, 2, 10, QLatin1Char('0')),
        QStringLiteral("Остаток времени после тестирования --- 0:12:41"),
        QStringLiteral("Всего вопросов в базе - 1200"),
        QStringLiteral("Колличество вопросов в тесте --- 60"),
        QStringLiteral("Отбор вопросов из диапазона от --- 1  до  --- 1\u00A0200"),
        QStringLiteral("Выделяемое время на один вопрос --- 2 мин")};
    return encodeCp1251(lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n"));
}

// Wall time, and the processor time of this process beside it: other
// programs on a busy machine stretch the first but not the second.
class Stopwatch {
public:
    Stopwatch() { restart(); }
    void restart() {
        m_wall.start();
        m_cpu = std::clock();
    }
    void print(const char* what) const {
        const double wall = static_cast<double>(m_wall.nsecsElapsed()) / 1e6;
        const double cpu = 1000.0 * static_cast<double>(std::clock() - m_cpu) / CLOCKS_PER_SEC;
        std::printf("%-36s %8.1f ms wall %8.1f ms cpu\n", what, wall, cpu);
        std::fflush(stdout);
    }

private:
    QElapsedTimer m_wall;
    std::clock_t m_cpu = 0;
};

} // namespace kt::bench
