// SPDX-License-Identifier: GPL-3.0-or-later
#include "teacher/analysis/TestAnswers.h"

#include "report/AnswersFile.h"

#include <QDir>
#include <QFileInfo>

namespace kt {

QString answersFileFor(const QString& reportPath) {
    const QFileInfo report(reportPath);
    const QString base = report.completeBaseName();
    if (!base.startsWith(u"TestData", Qt::CaseInsensitive))
        return {};
    return report.dir().filePath(QStringLiteral("Answers") + base.mid(8) + QStringLiteral(".csv"));
}

std::vector<TestAnswer> findTestAnswers(const QString& answersPath, const QString& date,
                                        const QString& time, const QString& student) {
    const QByteArray d = date.toUtf8(), t = time.toUtf8(), s = student.toUtf8();
    AnswersReader reader(answersPath);
    AnswerFields f;
    QByteArray test;
    std::vector<TestAnswer> rows;
    while (reader.next(f)) {
        const bool ours = test.isNull() ? f[ColDate] == d && f[ColTime] == t && f[ColStudent] == s
                                        : f[ColTest] == test;
        if (!ours) {
            if (!test.isNull())
                break; // a test's rows stand together
            continue;
        }
        if (test.isNull())
            test = f[ColTest].toByteArray();
        rows.push_back({f[ColSlot].toInt(), f[ColCounter].toInt(),
                        QString::fromUtf8(f[ColQuestion]), f[ColChosen].toInt(), f[ColKey].toInt(),
                        QString::fromUtf8(f[ColOutcome])});
    }
    return rows;
}

} // namespace kt
