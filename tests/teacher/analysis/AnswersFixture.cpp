// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/teacher/analysis/AnswersFixture.h"

#include "csv/CsvWriter.h"
#include "csv/SpreadsheetCsv.h"
#include "report/AnswersFile.h"

namespace kt::test {
namespace {

QString verdict(const FixtureAnswer& a) {
    if (a.chosen == 0)
        return QStringLiteral("нет ответа");
    return a.chosen == a.key ? QStringLiteral("верно") : QStringLiteral("неверно");
}

QString questionOf(const FixtureAnswer& a) {
    return a.question.isEmpty() ? QStringLiteral("Вопрос %1").arg(a.counter) : a.question;
}

} // namespace

QByteArray answersFileBytes(const std::vector<FixtureTest>& tests) {
    QString text = csvRecord(answersHeader(), u',', u"\n");
    for (const FixtureTest& t : tests) {
        int slot = 0;
        for (const FixtureAnswer& a : t.answers)
            text += csvRecord({t.id, t.date, QStringLiteral("9:05:03"), QStringLiteral("PC1"),
                               QStringLiteral("Ученик ") + t.id, t.title, t.bank,
                               QString::number(++slot), QString::number(a.counter), questionOf(a),
                               QString::number(a.chosen), QString::number(a.key), verdict(a)},
                              u',', u"\n");
    }
    return text.toUtf8();
}

} // namespace kt::test
