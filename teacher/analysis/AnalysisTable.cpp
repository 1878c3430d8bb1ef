// SPDX-License-Identifier: GPL-3.0-or-later
#include "teacher/analysis/AnalysisTable.h"

#include <cmath>

namespace kt {

QStringList analysisHeader() {
    return {QStringLiteral("База"),
            QStringLiteral("Счетчик"),
            QStringLiteral("Вопрос"),
            QStringLiteral("Показов"),
            QStringLiteral("Верно %"),
            QStringLiteral("Дискриминация"),
            QStringLiteral("Бисериальная"),
            QStringLiteral("A"),
            QStringLiteral("B"),
            QStringLiteral("C"),
            QStringLiteral("D"),
            QStringLiteral("E"),
            QStringLiteral("Без ответа"),
            QStringLiteral("Флаг")};
}

QString fractionText(double value) {
    if (std::isnan(value))
        return {};
    // -0.000 would read as a sign where there is none.
    const double rounded = std::round(value * 1000.0) / 1000.0;
    return QString::number(rounded == 0.0 ? 0.0 : rounded, 'f', 3);
}

QStringList analysisRow(const AnswerSet& set, const ItemStats& stats) {
    const AnswerItem& item = set.items()[size_t(stats.item)];
    QStringList row{item.bank,
                    QString::number(item.counter),
                    item.question,
                    QString::number(stats.shown),
                    fractionText(stats.facility),
                    fractionText(stats.discrimination),
                    fractionText(stats.biserial)};
    for (double share : stats.choices)
        row.append(fractionText(share));
    row.append(flagText(stats.flags));
    return row;
}

} // namespace kt
