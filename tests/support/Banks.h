// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "bank/BankRecord.h"

#include <QString>

namespace kt::test {

// The right-answer choice of makeBank that gives record i the variant
// (i mod 5) + 1, so that neighbouring questions differ.
constexpr int kCyclingRight = 0;

// One question record: answers "<question> ответ k", the right answer (null
// when empty), mark 0, the subject, and the counter when it is above 0.
BankRecord questionRecord(const QString& question, const QString& right = QStringLiteral("1"),
                          const QString& subject = QStringLiteral("История"), int counter = 0);

// A bank of `count` records: record i (1-based) asks "Вопрос i", its counter
// is i, and its right answer is variant `right` (1..5) or, by default, the
// cycling one.
BankTable makeBank(int count, int right = kCyclingRight,
                   const QString& subject = QStringLiteral("Физика"));

// The record number i of the question "Вопрос i"; -1 for any other text.
int fixtureNumber(const QString& question);
// The right answer makeBank(…, kCyclingRight) gave the question with this text.
int fixtureRightAnswer(const QString& question);

} // namespace kt::test
