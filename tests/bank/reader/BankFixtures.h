// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "bank/BankRecord.h"
#include "bank/jet/JetWriter.h"

#include <QString>
#include <vector>

namespace kt::testing {

// One question record as the tests write it; the counter is numbered by the writer.
struct Question {
    QString text;
    std::array<QString, 5> answers;
    std::optional<QString> right;
    std::optional<QString> mark;
    QString subject;
};

Question question(const QString& text, const QString& right,
                  const QString& subject = QStringLiteral("История"));

// The rows of `questions` for the columns `columns`: the ten fields go to the
// columns of their names, any other column gets a value of its type.
std::vector<JetRow> rowsFor(const std::vector<JetColumn>& columns,
                            const std::vector<Question>& questions);

// Writes a bank file with table "Таблица1" (or `table`) and returns its path.
QString writeBank(const QString& path, const std::vector<JetColumn>& columns,
                  const std::vector<Question>& questions,
                  const QString& table = QStringLiteral("Таблица1"));

} // namespace kt::testing
