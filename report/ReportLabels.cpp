// SPDX-License-Identifier: GPL-3.0-or-later
#include "report/ReportLabels.h"

namespace kt {

const ReportLabels& reportLabels() {
    static const ReportLabels labels{
        {
            QStringLiteral(" "),
            QStringLiteral("Студент --- "),
            QStringLiteral("Ответил правильно на --- "),
            QStringLiteral("Дата тестирования --- "),
            QStringLiteral("Время завершения тестирования --- "),
            QStringLiteral("Остаток времени после тестирования --- "),
            QStringLiteral("Всего вопросов в базе - "),
            QStringLiteral("Колличество вопросов в тесте --- "),
            QStringLiteral("Отбор вопросов из диапазона от --- "),
            QStringLiteral("Выделяемое время на один вопрос --- "),
        },
        QStringLiteral(" %"),
        QStringLiteral("  до  --- "),
        QStringLiteral(" мин"),
    };
    return labels;
}

} // namespace kt
