// SPDX-License-Identifier: GPL-3.0-or-later
#include "bench/analysis/AnswersGenerator.h"

#include "csv/CsvWriter.h"
#include "csv/SpreadsheetCsv.h"
#include "report/AnswersFile.h"

#include <QDir>
#include <QFile>
#include <random>

namespace kt::bench {
namespace {

constexpr int kBank = 600;
constexpr int kPerTest = 20;

QString question(int counter) {
    return QStringLiteral("Какой город, по данным атласа «%1», стоит на реке \"номер\" %2?")
        .arg(counter % 37)
        .arg(counter);
}

QByteArray testRows(int pc, int test, std::mt19937& random) {
    const QString id = QStringLiteral("PC%1-%2").arg(pc, 2, 10, QChar('0')).arg(test);
    const QString date = QStringLiteral("%1.%2.2026")
                             .arg(1 + test % 28, 2, 10, QChar('0'))
                             .arg(1 + test % 12, 2, 10, QChar('0'));
    const int first = int(random() % (kBank - kPerTest));
    QString text;
    for (int slot = 0; slot < kPerTest; ++slot) {
        const int counter = 1 + first + slot;
        const int key = 1 + counter % 5;
        const int chosen = int(random() % 8) < 5 ? key : int(random() % 6);
        const QString verdict = chosen == 0     ? QStringLiteral("нет ответа")
                                : chosen == key ? QStringLiteral("верно")
                                                : QStringLiteral("неверно");
        text += csvRecord({id, date, QStringLiteral("9:05:03"), QStringLiteral("PC%1").arg(pc),
                           QStringLiteral("Ученик %1, 9 «Б»").arg(test % 997),
                           QStringLiteral("География"), QStringLiteral("DB1.MDB"),
                           QString::number(slot + 1), QString::number(counter), question(counter),
                           QString::number(chosen), QString::number(key), verdict},
                          u',', u"\n");
    }
    return text.toUtf8();
}

} // namespace

qint64 writeAnswers(const QString& folder, int rows, int pcs) {
    std::mt19937 random(7);
    const int tests = rows / kPerTest;
    qint64 written = 0;
    for (int pc = 1; pc <= pcs; ++pc) {
        QFile file(
            QDir(folder).filePath(QStringLiteral("Answers-PC%1.csv").arg(pc, 2, 10, QChar('0'))));
        if (!file.open(QIODevice::WriteOnly))
            return -1;
        QByteArray bytes = csvRecord(answersHeader(), u',', u"\n").toUtf8();
        for (int t = pc - 1; t < tests; t += pcs)
            bytes += testRows(pc, t, random);
        if (file.write(bytes) != bytes.size())
            return -1;
        written += bytes.size();
    }
    return written;
}

} // namespace kt::bench
