// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/support/Banks.h"

#include <QRegularExpression>
#include <algorithm>

namespace kt::test {

BankRecord questionRecord(const QString& question, const QString& right, const QString& subject,
                          int counter) {
    BankRecord r;
    r.text[FieldQuestion] = question;
    for (int k = FieldAnswer1; k <= FieldAnswer5; ++k)
        r.text[static_cast<size_t>(k)] = question + QStringLiteral(" ответ %1").arg(k);
    r.text[FieldRightAnswer] = right;
    r.isNull[FieldRightAnswer] = right.isEmpty();
    r.text[FieldMark] = QStringLiteral("0");
    if (counter > 0)
        r.text[FieldCounter] = QString::number(counter);
    r.text[FieldSubject] = subject;
    return r;
}

BankTable makeBank(int count, int right, const QString& subject) {
    BankTable table;
    table.reserve(static_cast<size_t>(std::max(count, 0)));
    for (int i = 1; i <= count; ++i) {
        const int variant = right == kCyclingRight ? i % 5 + 1 : right;
        table.push_back(questionRecord(QStringLiteral("Вопрос %1").arg(i), QString::number(variant),
                                       subject, i));
    }
    return table;
}

int fixtureNumber(const QString& question) {
    static const QRegularExpression re(QStringLiteral("^Вопрос (\\d+)$"));
    const auto m = re.match(question);
    return m.hasMatch() ? m.captured(1).toInt() : -1;
}

int fixtureRightAnswer(const QString& question) {
    return fixtureNumber(question) % 5 + 1;
}

} // namespace kt::test
