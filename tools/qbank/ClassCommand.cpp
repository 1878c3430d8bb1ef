// SPDX-License-Identifier: GPL-3.0-or-later
// qbank class: what every PC of a class is doing, from the status files the
// student's program replaces in the class folder.
#include "csv/CsvWriter.h"
#include "report/StatusFile.h"
#include "tools/qbank/Commands.h"
#include "tools/qbank/QbankOutput.h"

#include <QDateTime>
#include <QFileInfo>

namespace kt {
namespace {

QStringList header() {
    return {QStringLiteral("ПК"),
            QStringLiteral("Ученик"),
            QStringLiteral("Название"),
            QStringLiteral("Состояние"),
            QStringLiteral("Отвечено"),
            QStringLiteral("Вопросов"),
            QStringLiteral("Верно"),
            QStringLiteral("Неверно"),
            QStringLiteral("Осталось времени"),
            QStringLiteral("Секунд с записи")};
}

// Seconds since the PC last wrote; empty when its clock is unreadable. A PC
// whose clock runs ahead of this one's gives 0, not a negative age.
QString age(const QDateTime& written, const QDateTime& now) {
    if (!written.isValid())
        return QString();
    return QString::number(std::max<qint64>(0, written.secsTo(now)));
}

} // namespace

int runClass(const QStringList& args) {
    if (args.size() != 1 || !QFileInfo(args[0]).isDir()) {
        print(stderr, QStringLiteral("qbank: нужно: qbank class ПАПКА_КЛАССА (папка, в которой "
                                     "программы учеников пишут результаты)\n"));
        return kExitUsage;
    }
    const QDateTime now = QDateTime::currentDateTimeUtc();
    QString out = csvRecord(header(), u',', u"\n");
    for (const PcStatus& s : readClassStatuses(args[0]))
        out += csvRecord({s.pc, s.student, s.title, s.state, QString::number(s.answered),
                          QString::number(s.total), QString::number(s.right),
                          QString::number(s.wrong), s.timeLeft, age(s.written, now)},
                         u',', u"\n");
    print(stdout, out);
    return 0;
}

} // namespace kt
