// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/bank/reader/BankFixtures.h"

namespace kt::testing {
namespace {

std::optional<QString> fieldValue(const Question& q, int field) {
    switch (field) {
    case FieldQuestion:
        return q.text;
    case FieldRightAnswer:
        return q.right;
    case FieldMark:
        return q.mark;
    case FieldCounter:
        return std::nullopt;
    case FieldSubject:
        return q.subject;
    default:
        return q.answers[static_cast<size_t>(field - 1)];
    }
}

std::optional<QString> fillerFor(JetType type) {
    switch (type) {
    case JetType::Text:
    case JetType::Memo:
        return QStringLiteral("лишнее");
    case JetType::Boolean:
        return QStringLiteral("1");
    case JetType::DateTime:
        return QStringLiteral("2026-12-07 09:05:03");
    default:
        return QStringLiteral("7");
    }
}

} // namespace

Question question(const QString& text, const QString& right, const QString& subject) {
    Question q;
    q.text = text;
    for (size_t k = 0; k < q.answers.size(); ++k)
        q.answers[k] = QStringLiteral("%1: ответ %2").arg(text).arg(k + 1);
    q.right = right;
    q.mark = QStringLiteral("0");
    q.subject = subject;
    return q;
}

std::vector<JetRow> rowsFor(const std::vector<JetColumn>& columns,
                            const std::vector<Question>& questions) {
    std::vector<JetRow> rows;
    for (const Question& q : questions) {
        JetRow row;
        for (const JetColumn& c : columns) {
            const auto& names = bankFieldNames();
            const auto it = std::find(names.begin(), names.end(), c.name);
            const int field = static_cast<int>(it - names.begin());
            // A field in a column of another type gets a value of that type.
            const bool textual = c.type == JetType::Text || c.type == JetType::Memo;
            const bool numeric = field == FieldRightAnswer || field == FieldMark;
            const bool fits =
                textual || (numeric && c.type != JetType::Boolean && c.type != JetType::DateTime);
            row.push_back(it == names.end() || (!fits && field != FieldCounter)
                              ? fillerFor(c.type)
                              : fieldValue(q, field));
        }
        rows.push_back(std::move(row));
    }
    return rows;
}

QString writeBank(const QString& path, const std::vector<JetColumn>& columns,
                  const std::vector<Question>& questions, const QString& table) {
    writeJetDatabase(path, table, columns, rowsFor(columns, questions));
    return path;
}

} // namespace kt::testing
