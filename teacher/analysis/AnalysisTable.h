// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "teacher/analysis/ItemStatistics.h"

#include <QString>
#include <QStringList>

namespace kt {

// The item table as qbank prints it and the journal exports it:
// "База,Счетчик,Вопрос,Показов,Верно %,…,Флаг", one row per item.
QStringList analysisHeader();
QStringList analysisRow(const AnswerSet& set, const ItemStats& stats);

// A share with a dot and three decimals ("0.750"); empty when it cannot be
// had (NaN).
QString fractionText(double value);

} // namespace kt
