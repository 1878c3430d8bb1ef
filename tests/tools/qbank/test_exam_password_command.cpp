// SPDX-License-Identifier: GPL-3.0-or-later
// qbank exam-password as an administrator's script runs it.

#include "password/PasswordHash.h"

#include <QProcess>
#include <gtest/gtest.h>

namespace {

struct PasswordRun {
    int exitCode = -1;
    QString out;
    QString err;
};

PasswordRun examPassword(const QByteArray& input) {
    QProcess p;
    p.start(QStringLiteral(KT_QBANK), {QStringLiteral("exam-password")});
    p.write(input);
    p.closeWriteChannel();
    PasswordRun r;
    if (!p.waitForFinished(60000) || p.exitStatus() != QProcess::NormalExit)
        return r;
    r.exitCode = p.exitCode();
    r.out = QString::fromUtf8(p.readAllStandardOutput());
    r.err = QString::fromUtf8(p.readAllStandardError());
    return r;
}

TEST(QbankExamPassword, PrintsTheLineThatTheProgramChecks) {
    const PasswordRun r = examPassword(QStringLiteral("Секрет 7\r\n").toUtf8());
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    ASSERT_TRUE(r.out.startsWith(QStringLiteral("password="))) << r.out.toStdString();
    ASSERT_TRUE(r.out.endsWith(QLatin1Char('\n')));
    const QString stored = r.out.mid(9).trimmed();
    EXPECT_TRUE(kt::passwordMatches(stored, QStringLiteral("Секрет 7")));
    EXPECT_FALSE(kt::passwordMatches(stored, QStringLiteral("Секрет 7\r")));
}

TEST(QbankExamPassword, RefusesAnEmptyPassword) {
    for (const QByteArray& input : {QByteArray(), QByteArray("\n")}) {
        const PasswordRun r = examPassword(input);
        EXPECT_EQ(r.exitCode, 2);
        EXPECT_TRUE(r.out.isEmpty());
        EXPECT_TRUE(r.err.contains(QStringLiteral("пароль пуст"))) << r.err.toStdString();
    }
}

} // namespace
