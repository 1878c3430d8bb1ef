// SPDX-License-Identifier: GPL-3.0-or-later
#include "report/AnswersWriter.h"

#include "csv/CsvWriter.h"
#include "report/AnswersFile.h"

#include <QStringList>

namespace kt {

QByteArray answersHeaderLine() {
    return csvRecord(answersHeader(), u',', u"\n").toUtf8();
}

QString answerOutcome(const AnswerRow& row) {
    if (!row.judged || row.chosen == 0)
        return QStringLiteral("нет ответа");
    return row.chosen == row.right ? QStringLiteral("верно") : QStringLiteral("неверно");
}

QByteArray answersRowsBytes(const AnswersTest& test, const std::vector<AnswerRow>& rows) {
    QString text;
    int slot = 0;
    for (const AnswerRow& r : rows) {
        const QStringList fields{test.id,
                                 test.date,
                                 test.time,
                                 test.pc,
                                 test.student,
                                 test.title,
                                 test.bank,
                                 QString::number(++slot),
                                 QString::number(r.counter),
                                 r.question,
                                 QString::number(r.judged ? r.chosen : 0),
                                 QString::number(r.right),
                                 answerOutcome(r)};
        text += csvRecord(fields, u',', u"\n");
    }
    return text.toUtf8();
}

} // namespace kt
