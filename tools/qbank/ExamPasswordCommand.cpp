// SPDX-License-Identifier: GPL-3.0-or-later
// qbank exam-password: the "password=" line of an [exam] section for a
// password read from standard input, so that an administrator can prepare
// the settings files of many PCs by script without the editor.
#include "password/PasswordHash.h"
#include "tools/qbank/Commands.h"
#include "tools/qbank/QbankOutput.h"

#include <QFile>

namespace kt {

int runExamPassword(const QStringList& args) {
    if (!args.isEmpty())
        return usage();
    QFile in;
    if (!in.open(stdin, QIODevice::ReadOnly)) {
        print(stderr, QStringLiteral("qbank: стандартный ввод не читается\n"));
        return kExitUsage;
    }
    // One line: the password as typed, without its line end.
    QByteArray line = in.readLine(4096);
    while (line.endsWith('\n') || line.endsWith('\r'))
        line.chop(1);
    const QString password = QString::fromUtf8(line);
    if (password.isEmpty()) {
        print(stderr, QStringLiteral("qbank: пароль пуст: передайте его первой строкой "
                                     "стандартного ввода\n"));
        return kExitUsage;
    }
    print(stdout, QStringLiteral("password=%1\n").arg(makePasswordHash(password)));
    return 0;
}

} // namespace kt
