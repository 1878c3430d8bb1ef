// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/support/Reports.h"

#include <QFile>
#include <gtest/gtest.h>

namespace kt::test {

ReportBlock reportBlock(const BlockFields& s) {
    ReportBlock b;
    b.studentName = s.name;
    b.percent = QStringLiteral("%1 %").arg(s.percent);
    b.date = s.date;
    b.time = s.time;
    b.timeLeft = QStringLiteral("0:12:41");
    b.bankSizeLine = QStringLiteral("Всего вопросов в базе - %1").arg(s.bankSize);
    b.count = QString::number(s.count);
    b.from = s.from;
    b.to = s.to;
    b.minutes = QStringLiteral("2");
    return b;
}

QByteArray reportBytes(const std::vector<BlockFields>& specs) {
    QByteArray out;
    for (const BlockFields& s : specs)
        out += reportBlockBytes(reportBlock(s));
    return out;
}

void writeFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << path.toStdString();
    ASSERT_EQ(file.write(bytes), bytes.size());
}

} // namespace kt::test
